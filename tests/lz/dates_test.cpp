#include <gtest/gtest.h>

#include <string>

#include "lz/lz_file_info.h"
#include "platform/files.h"
#include "tests/lz/lz_files.h"

namespace lz {
namespace {

constexpr std::uint32_t kStoredDate = 0x2F8F6C21;  // 2003-12-15 13:33:02
constexpr std::uint32_t kInputDate = 0x52C37A10;   // 2021-06-03 15:16:32

class Dates : public LZFiles {
 protected:
  std::string Dated(const std::string& name, const Bytes& bytes, std::uint32_t date) {
    const std::string path = folder_.Write(name, bytes);
    platform::File file = platform::File::OpenInput(path);
    EXPECT_TRUE(file.SetLastWriteDosDateTime(date));
    return path;
  }
  static std::uint32_t DateOf(const std::string& path) { return FileDateByName(path); }
};

TEST_F(Dates, TheArchiveCarriesTheInputsDateAndGivesItToTheExpandedFile) {
  const std::string in = Dated("in", Bytes(1000, 'x'), kInputDate);
  LZCompressFile(in, folder_.Path("archive"), nullptr, nullptr);
  EXPECT_EQ(DateOf(folder_.Path("archive")), kInputDate);
  LZDecompressFile(folder_.Path("archive"), folder_.Path("out"), nullptr, nullptr);
  EXPECT_EQ(DateOf(folder_.Path("out")), kInputDate);
}

TEST_F(Dates, ExpansionUsesTheStoredDateNotTheArchiveFilesDate) {
  Bytes archive = ArchiveOf({0x01, 'x'});
  archive[21] = kStoredDate & 0xFF;
  archive[22] = kStoredDate >> 8 & 0xFF;
  archive[23] = kStoredDate >> 16 & 0xFF;
  archive[24] = kStoredDate >> 24;
  const std::string in = Dated("archive", archive, kInputDate);
  LZDecompressFile(in, folder_.Path("out"), nullptr, nullptr);
  EXPECT_EQ(DateOf(folder_.Path("out")), kStoredDate);
  // Compressing an archive copies it, and the copy too carries the stored date.
  LZCompressFile(in, folder_.Path("copy"), nullptr, nullptr);
  EXPECT_EQ(DateOf(folder_.Path("copy")), kStoredDate);
  EXPECT_EQ(TempFolder::Read(folder_.Path("copy")), archive);
}

TEST_F(Dates, APlainCopyCarriesTheInputsDate) {
  const std::string in = Dated("plain", Bytes{'p'}, kInputDate);
  LZDecompressFile(in, folder_.Path("out"), nullptr, nullptr);
  EXPECT_EQ(DateOf(folder_.Path("out")), kInputDate);
}

TEST_F(Dates, AnInvalidStoredDateLeavesTheFilesOwnTime) {
  const std::string in = folder_.Write("archive", ArchiveOf({0x01, 'x'}));  // FileDate 0
  LZDecompressFile(in, folder_.Path("out"), nullptr, nullptr);
  EXPECT_NE(DateOf(folder_.Path("out")), 0u);
  EXPECT_EQ(DateOf(folder_.Path("missing")), 0u);
}

}  // namespace
}  // namespace lz
