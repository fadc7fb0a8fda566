// Expands arbitrary bytes, as a whole file or as the stream behind a valid header, and holds
// the result to a plain byte-by-byte reading of the stream format.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "lz/lz_decompress.h"
#include "lz/lz_header.h"
#include "tests/files/temp_folder.h"

namespace {

using testing_support::Bytes;

// The stream format read one byte at a time, without any of the decoder's shortcuts.
Bytes PlainExpand(const Bytes& stream) {
  std::vector<std::uint8_t> ring(4096, 0);
  unsigned r = 4078;
  Bytes out;
  std::size_t at = 0;
  while (at < stream.size()) {
    const unsigned flags = stream[at++];
    for (int item = 0; item < 8; ++item) {
      if (at >= stream.size()) return out;
      const unsigned c = stream[at++];
      if ((flags >> item & 1) != 0) {
        ring[r] = static_cast<std::uint8_t>(c);
        r = (r + 1) % 4096;
        out.push_back(static_cast<std::uint8_t>(c));
        continue;
      }
      if (at >= stream.size()) return out;
      const unsigned c2 = stream[at++];
      const unsigned position = c + 256 * (c2 >> 4);
      for (unsigned k = 0; k < (c2 & 15) + 3; ++k) {
        const std::uint8_t b = ring[(position + k) % 4096];
        ring[r] = b;
        r = (r + 1) % 4096;
        out.push_back(b);
      }
    }
  }
  return out;
}

Bytes ArchiveAround(const std::uint8_t* data, std::size_t size) {
  lz::TLZHeader header;
  header.FileName = lz::CountedString<12>("FUZZ.HEX");
  header.CompressedSize = static_cast<std::int32_t>(size);
  header.Signature = lz::CountedString<8>(lz::kLZSignature);
  const auto head = lz::EncodeLZHeader(header);
  Bytes archive(head.begin(), head.end());
  archive.insert(archive.end(), data, data + size);
  return archive;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte chooses: the rest as a whole file, or as a stream behind a header.
  const bool wholeFile = (data[0] & 1) != 0;
  const Bytes stream(data + 1, data + size);
  const Bytes file = wholeFile ? stream : ArchiveAround(data + 1, size - 1);

  testing_support::TempFolder folder;
  const std::string in = folder.Write("in", file);
  const std::string out = folder.Path("out");
  const std::int32_t written = lz::LZDecompressFile(in, out, nullptr, nullptr);
  const Bytes expanded = testing_support::TempFolder::Read(out);
  if (static_cast<std::size_t>(written) != expanded.size()) std::abort();
  if (!wholeFile && expanded != PlainExpand(stream)) std::abort();
  return 0;
}
