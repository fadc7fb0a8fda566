#include <gtest/gtest.h>

#include <string>

#include "lz/lz_file_info.h"
#include "lz/lz_header.h"
#include "tests/lz/lz_files.h"

namespace lz {
namespace {

Bytes Text(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

struct StreamExample {
  const char* name;
  Bytes input;
  Bytes stream;
};

class StreamExamples : public LZFiles, public ::testing::WithParamInterface<StreamExample> {};

TEST_P(StreamExamples, CompressToExactlyTheseBytesAndBack) {
  const Bytes archive = Compress(GetParam().input);
  EXPECT_EQ(StreamOf(archive), GetParam().stream);
  EXPECT_EQ(Expand(archive), GetParam().input);
}

INSTANTIATE_TEST_SUITE_P(
    Format, StreamExamples,
    ::testing::Values(
        StreamExample{"TenLetters", Text("aaaaaaaaaa"), {0x01, 0x61, 0xEE, 0xF6}},
        StreamExample{"RepeatedTriple", Text("abcabcabcabc"), {0x07, 0x61, 0x62, 0x63, 0xEE, 0xF6}},
        StreamExample{"ZerosFromTheWindow", Bytes(6, 0), {0x00, 0xDC, 0xF3}},
        StreamExample{"FullGroupEndsWithLoneFlag",
                      Text("ABCDEFGH"),
                      {0xFF, 0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x00}},
        StreamExample{"NinthItemStartsAGroup",
                      Text("ABCDEFGHI"),
                      {0xFF, 0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x01, 0x49}},
        StreamExample{"ShortGroup", Text("abc"), {0x07, 0x61, 0x62, 0x63}},
        StreamExample{"Empty", {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

class ArchiveFormat : public LZFiles {};

TEST_F(ArchiveFormat, HeaderFieldsOfAWrittenArchive) {
  const std::string in = folder_.Write("a-rather-long-name.hex", "abcabcabcabc");
  ASSERT_EQ(LZCompressFile(in, folder_.Path("out"), nullptr, nullptr), 49);
  const Bytes archive = TempFolder::Read(folder_.Path("out"));
  const Bytes expectedStart = {12,  'a', '-', 'r', 'a', 't', 'h', 'e', 'r', '-', 'l',
                               'o', 'n', 12,  0,   0,   0,   6,   0,   0,   0};
  EXPECT_EQ(Bytes(archive.begin(), archive.begin() + 21), expectedStart);
  const Bytes expectedEnd = {1, '0', 0,   0,   0,   0,   0,   0,   0,
                             8, 'a', 'V', 'a', 'r', 'k', 'o', 'M', '#'};
  EXPECT_EQ(Bytes(archive.begin() + 25, archive.begin() + 43), expectedEnd);
}

TEST_F(ArchiveFormat, EmptyInputGivesTheHeaderAlone) {
  const std::string in = folder_.Write("empty", "");
  EXPECT_EQ(LZCompressFile(in, folder_.Path("out"), nullptr, nullptr), 43);
  const TLZHeader header = DecodeLZHeader(std::span<const std::uint8_t, kLZHeaderSize>(
      TempFolder::Read(folder_.Path("out")).data(), kLZHeaderSize));
  EXPECT_EQ(header.UncompressedSize, 0);
  EXPECT_EQ(header.CompressedSize, 0);
  EXPECT_TRUE(IsLZArchiveHeader(header));
}

TEST_F(ArchiveFormat, ArchiveTest) {
  const Bytes good = ArchiveOf({});
  auto with = [&](std::size_t at, std::uint8_t value) {
    Bytes bytes = good;
    bytes[at] = value;
    return bytes;
  };
  struct Case {
    const char* name;
    Bytes bytes;
    bool isArchive;
  };
  const Case cases[] = {
      {"complete header", good, true},
      {"with a stream", ArchiveOf({0x01, 0x61}), true},
      {"one byte short", Bytes(good.begin(), good.end() - 1), false},
      {"empty", {}, false},
      {"no stored name", with(0, 0), false},
      {"signature length 7", with(34, 7), false},
      {"signature letter", with(42, '$'), false},
      {"sizes and date are not checked", with(13, 0xFF), true},
  };
  for (const Case& c : cases) {
    platform::File file = platform::File::OpenInput(folder_.Write("file", c.bytes));
    file.Seek(5, platform::SeekOrigin::Begin);
    TLZHeader header;
    EXPECT_EQ(ReadLZHeader(file, header), c.isArchive) << c.name;
    EXPECT_EQ(file.Position(), 5) << c.name;
  }
}

TEST_F(ArchiveFormat, OversizedLengthBytesStopAtTheCapacity) {
  Bytes bytes = ArchiveOf({});
  bytes[0] = 200;
  bytes[25] = 9;
  const TLZHeader header =
      DecodeLZHeader(std::span<const std::uint8_t, kLZHeaderSize>(bytes.data(), kLZHeaderSize));
  EXPECT_EQ(header.FileName.Text(), std::string("DATA.BIN\0\0\0\0", 12));
  EXPECT_EQ(header.Version.Text().size(), 8u);
}

TEST_F(ArchiveFormat, CutOffStreamsEndAtTheLastCompleteItem) {
  // "aaaaaaaaaa" then "ABC": literal a, match of 9, three literals.
  const Bytes stream = {0x1D, 0x61, 0xEE, 0xF6, 0x41, 0x42, 0x43};
  struct Case {
    std::size_t length;
    std::string expanded;
  };
  const Case cases[] = {
      {7, "aaaaaaaaaaABC"},
      {6, "aaaaaaaaaaAB"},
      {4, "aaaaaaaaaa"},
      {3, "a"},
      {2, "a"},
      {1, ""},
      {0, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Expand(ArchiveOf(Bytes(stream.begin(), stream.begin() + c.length))), Text(c.expanded))
        << c.length;
  }
}

TEST_F(ArchiveFormat, BytesAfterTheStreamAreExpandedAsMoreGroups) {
  // The stream of A..H ends with an empty group; what follows is read as its items.
  Bytes archive = Compress(Text("ABCDEFGH"));
  archive.insert(archive.end(), {0xEE, 0xF0});
  EXPECT_EQ(Expand(archive), Text("ABCDEFGHABC"));
}

TEST_F(ArchiveFormat, MatchesWrapAroundTheWindowEdge) {
  // Literals a..s fill positions 4078..4095 and 0; a match at 4094 then reads q, r, s.
  const Bytes stream = {0xFF, 'a', 'b', 'c', 'd', 'e', 'f',  'g', 'h', 0xFF, 'i',  'j',
                        'k',  'l', 'm', 'n', 'o', 'p', 0x07, 'q', 'r', 's',  0xFE, 0xF0};
  EXPECT_EQ(Expand(ArchiveOf(stream)), Text("abcdefghijklmnopqrsqrs"));
}

}  // namespace
}  // namespace lz
