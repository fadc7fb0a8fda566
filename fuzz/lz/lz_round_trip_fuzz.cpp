// Compresses arbitrary bytes and expands them again: the archive must give back the input, and
// its stream must be the one a plain transcription of the encoder writes.
#include <cstdint>
#include <cstdlib>

#include "lz/lz_compress.h"
#include "lz/lz_decompress.h"
#include "lz/lz_header.h"
#include "tests/files/temp_folder.h"
#include "tests/lz/reference_encoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using testing_support::Bytes;
  using testing_support::TempFolder;
  const Bytes input(data, data + size);
  TempFolder folder;
  const std::string plain = folder.Write("plain", input);
  const std::string archive = folder.Path("archive");
  const std::string expanded = folder.Path("expanded");
  lz::LZCompressFile(plain, archive, nullptr, nullptr);
  const Bytes packed = TempFolder::Read(archive);
  // An input that is itself an archive is copied, not compressed: nothing to go back to.
  if (packed == input) return 0;

  const Bytes stream(packed.begin() + lz::kLZHeaderSize, packed.end());
  if (stream != lz_reference::ReferenceEncode(input, true).stream) std::abort();
  lz::LZDecompressFile(archive, expanded, nullptr, nullptr);
  if (TempFolder::Read(expanded) != input) std::abort();
  return 0;
}
