#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "lz/lz_compress.h"
#include "lz/lz_decompress.h"
#include "lz/lz_header.h"
#include "tests/files/temp_folder.h"

namespace lz {

using testing_support::Bytes;
using testing_support::TempFolder;

// Runs the codec on bytes through files in a temporary folder.
class LZFiles : public ::testing::Test {
 protected:
  Bytes Compress(const Bytes& input) {
    const std::string in = folder_.Write("input.bin", input);
    const std::string out = folder_.Path("input.bi~");
    const std::int32_t size = LZCompressFile(in, out, nullptr, nullptr);
    Bytes archive = TempFolder::Read(out);
    EXPECT_EQ(static_cast<std::size_t>(size), archive.size());
    return archive;
  }
  static Bytes StreamOf(const Bytes& archive) {
    return Bytes(archive.begin() + kLZHeaderSize, archive.end());
  }
  Bytes Expand(const Bytes& archive) {
    const std::string in = folder_.Write("packed.ar~", archive);
    const std::string out = folder_.Path("unpacked.bin");
    const std::int32_t size = LZDecompressFile(in, out, nullptr, nullptr);
    Bytes expanded = TempFolder::Read(out);
    EXPECT_EQ(static_cast<std::size_t>(size), expanded.size());
    return expanded;
  }
  // An archive around a hand-made stream.
  static Bytes ArchiveOf(const Bytes& stream) {
    TLZHeader header;
    header.FileName = CountedString<12>("DATA.BIN");
    header.CompressedSize = static_cast<std::int32_t>(stream.size());
    header.Signature = CountedString<8>(kLZSignature);
    const auto bytes = EncodeLZHeader(header);
    // Sized up front: GCC 12 at -O2 warns falsely about growing a vector from the header array.
    Bytes archive(bytes.size() + stream.size());
    std::copy(bytes.begin(), bytes.end(), archive.begin());
    std::copy(stream.begin(), stream.end(),
              archive.begin() + static_cast<std::ptrdiff_t>(bytes.size()));
    return archive;
  }

  TempFolder folder_;
};

}  // namespace lz
