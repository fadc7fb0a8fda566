#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace realtime {

// Generated firmware as Intel HEX: count bytes at base, 16 to a record, with extended linear
// address records and CR LF line ends, as firmware files come.
inline std::string GenerateIntelHex(std::uint32_t base, std::uint32_t count, std::uint32_t seed) {
  std::string hex;
  char record[64];
  std::uint32_t x = seed;
  std::uint32_t address = base;
  std::int64_t upper = -1;
  for (std::uint32_t left = count; left > 0;) {
    const std::uint32_t high = address >> 16;
    if (high != upper) {
      const unsigned sum = 2 + 4 + (high >> 8) + (high & 0xFF);
      std::snprintf(record, sizeof record, ":02000004%04X%02X\r\n", high, (256 - sum % 256) % 256);
      hex += record;
      upper = high;
    }
    const std::uint32_t low = address & 0xFFFF;
    const std::uint32_t n = std::min({left, 16u, 0x10000 - low});
    std::snprintf(record, sizeof record, ":%02X%04X00", n, low);
    hex += record;
    unsigned sum = n + (low >> 8) + (low & 0xFF);
    for (std::uint32_t i = 0; i < n; ++i) {
      x = (x * 75 + 74) % 65537;
      std::snprintf(record, sizeof record, "%02X", x % 256);
      hex += record;
      sum += x % 256;
    }
    std::snprintf(record, sizeof record, "%02X\r\n", (256 - sum % 256) % 256);
    hex += record;
    address += n;
    left -= n;
  }
  return hex + ":00000001FF\r\n";
}

}  // namespace realtime
