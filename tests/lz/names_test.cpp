#include <gtest/gtest.h>

#include <string>

#include "lz/lz_decompress.h"
#include "lz/lz_errors.h"
#include "lz/lz_file_info.h"
#include "lz/lz_names.h"
#include "platform/exceptions.h"
#include "tests/lz/lz_files.h"

namespace lz {
namespace {

TEST(LZNames, MakeCompressedName) {
  const std::pair<std::string, std::string> cases[] = {
      {"README.TXT", "README.TX~"},
      {"DATA", "DATA.~"},
      {"DATA.", "DATA.~"},
      {"DATA.X", "DATA.~"},
      {"C:\\A.B\\DATA", "C:\\A.B\\DATA.~"},
      {"/tmp/a.b/data", "/tmp/a.b/data.~"},
      {"archive.tar.gz", "archive.tar.g~"},
      {"", ".~"},
  };
  for (const auto& [name, compressed] : cases)
    EXPECT_EQ(MakeCompressedName(name), compressed);
}

TEST(LZNames, FolderSeparators) {
  struct Case {
    std::string name;
    std::string path;
    std::string file;
  };
  const Case cases[] = {
      {"c:\\dir\\file.txt", "c:\\dir\\", "file.txt"},
      {"c:file.txt", "c:", "file.txt"},
      {"/home/user/file.txt", "/home/user/", "file.txt"},
      {"mixed/dir\\file", "mixed/dir\\", "file"},
      {"file", "", "file"},
      {"folder/", "folder/", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExtractFilePath(c.name), c.path) << c.name;
    EXPECT_EQ(ExtractFileName(c.name), c.file) << c.name;
  }
}

// Expansion under the name stored in the archive, into the archive's folder.
class DefaultNames : public LZFiles {
 protected:
  std::string ArchiveStoring(const std::string& archiveName, const std::string& storedName) {
    const std::string source = folder_.Write(storedName, "contents");
    LZCompressFile(source, folder_.Path(archiveName), nullptr, nullptr);
    std::filesystem::remove(source);
    return folder_.Path(archiveName);
  }
};

TEST_F(DefaultNames, ExpandsUnderTheStoredName) {
  const std::string archive = ArchiveStoring("README.TX~", "README.TXT");
  EXPECT_EQ(GetStoredName(archive), "README.TXT");
  EXPECT_EQ(LZDecompressFileDefault(archive, nullptr, nullptr), 8);
  EXPECT_EQ(TempFolder::Read(folder_.Path("README.TXT")),
            Bytes({'c', 'o', 'n', 't', 'e', 'n', 't', 's'}));
}

TEST_F(DefaultNames, AMissingNameIsLookedUpUnderItsCompressedName) {
  ArchiveStoring("README.TX~", "README.TXT");
  testing_support::WorkingDirectory inside(folder_.Root());
  EXPECT_EQ(LZDecompressFileDefault("README.TXT", nullptr, nullptr), 8);
  EXPECT_TRUE(platform::FileExists(folder_.Path("README.TXT")));
}

TEST_F(DefaultNames, RefusesPlainFilesAndArchivesThatHoldAnotherFile) {
  const std::string plain = folder_.Write("plain.txt", "text");
  try {
    LZDecompressFileDefault(plain, nullptr, nullptr);
    FAIL();
  } catch (const EVarkoLZCompress& error) {
    EXPECT_EQ(error.MessageNumber(), 40004);
  }
  ArchiveStoring("README.TX~", "OTHER.TXT");
  try {
    LZDecompressFileDefault(folder_.Path("README.TXT"), nullptr, nullptr);
    FAIL();
  } catch (const EVarkoLZCompress& error) {
    EXPECT_EQ(error.MessageNumber(), 40006);
    EXPECT_EQ(error.Message(), "Wrong compressed file: OTHER.TXT");
  }
  EXPECT_EQ(LZDecompressFileDefault("", nullptr, nullptr), 0);
}

TEST_F(DefaultNames, AStoredFolderNeverLeavesTheArchivesFolder) {
  Bytes archive = ArchiveOf({0x01, 'x'});
  const std::string stored = "../evil";
  archive[0] = static_cast<std::uint8_t>(stored.size());
  std::copy(stored.begin(), stored.end(), archive.begin() + 1);
  const std::string in = folder_.Write("ok.ar~", archive);
  EXPECT_EQ(LZDecompressFileDefault(in, nullptr, nullptr), 1);
  EXPECT_TRUE(platform::FileExists(folder_.Path("evil")));
}

TEST_F(DefaultNames, CompressDefaultRefusesItsOwnOutputName) {
  const std::string marked = folder_.Write("README.TX~", "text");
  EXPECT_THROW(LZCompressFileDefault(marked, nullptr, nullptr), EVarkoLZCompress);
  const std::string plain = folder_.Write("README.TXT", "text");
  EXPECT_EQ(LZCompressFileDefault(plain, nullptr, nullptr), 43 + 5);
}

}  // namespace
}  // namespace lz
