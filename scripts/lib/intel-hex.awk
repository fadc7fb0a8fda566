# Generated firmware as Intel HEX: awk -v base=B -v count=N -v seed=S -f intel-hex.awk
# N bytes at address B, 16 to a record, extended linear address records, CR LF line ends.
BEGIN {
  x = seed; upper = -1; address = base; left = count
  while (left > 0) {
    n = left < 16 ? left : 16
    hi = int(address / 65536)
    if (hi != upper) {
      sum = 2 + 4 + int(hi / 256) + hi % 256
      printf ":02000004%04X%02X\r\n", hi, (256 - sum % 256) % 256
      upper = hi
    }
    lo = address % 65536
    if (lo + n > 65536) n = 65536 - lo
    line = sprintf(":%02X%04X00", n, lo); sum = n + int(lo / 256) + lo % 256
    for (i = 0; i < n; i++) {
      x = (x * 75 + 74) % 65537; b = x % 256
      line = line sprintf("%02X", b); sum += b
    }
    printf "%s%02X\r\n", line, (256 - sum % 256) % 256
    address += n; left -= n
  }
  printf ":00000001FF\r\n"
}
