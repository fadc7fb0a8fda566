#include <sys/stat.h>

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>

#include "platform/exceptions.h"
#include "platform/files.h"
#include "tests/files/temp_folder.h"

namespace platform {
namespace {

using testing_support::Bytes;
using testing_support::TempFolder;

int ErrorCodeOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EInOutError& error) {
    return error.ErrorCode();
  }
  return 0;
}

TEST(FileOpen, FailuresCarryWindowsCodesAndMessages) {
  TempFolder folder;
  folder.Write("data", "x");
  std::filesystem::create_directory(folder.Path("folder"));
  std::filesystem::create_symlink(folder.Path("data"), folder.Path("link"));
  ::mkfifo(folder.Path("fifo").c_str(), 0600);
  struct Case {
    std::string name;
    int code;
  };
  const Case cases[] = {
      {"missing", 2}, {"no-such-folder/file", 3},      {"data/file", 3}, {"folder", 5}, {"link", 5},
      {"fifo", 5},    {std::string("da\0ta", 5), 123},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ErrorCodeOf([&] { File::OpenInput(folder.Path(c.name)); }), c.code);
    EXPECT_FALSE(File::TryOpenInput(folder.Path(c.name)).has_value());
  }
  try {
    File::OpenInput(folder.Path("missing"));
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.Message(), "File not found");
  }
}

TEST(FileOpen, InputIsReadOnly) {
  TempFolder folder;
  File input = File::OpenInput(folder.Write("data", "abc"));
  const std::array<std::uint8_t, 1> byte{1};
  EXPECT_EQ(ErrorCodeOf([&] { input.Write(byte); }), 5);
}

TEST(FileCreate, RefusesToReplaceReadOnlyFilesFoldersAndDevices) {
  TempFolder folder;
  const std::string readOnly = folder.Write("read-only", "keep");
  ::chmod(readOnly.c_str(), 0400);
  std::filesystem::create_directory(folder.Path("folder"));
  ::mkfifo(folder.Path("fifo").c_str(), 0600);
  // Also when the caller is root, who could write the file anyway.
  EXPECT_EQ(ErrorCodeOf([&] { File::CreateOutput(readOnly); }), 5);
  EXPECT_EQ(ErrorCodeOf([&] { File::CreateOutput(folder.Path("folder")); }), 5);
  EXPECT_EQ(ErrorCodeOf([&] { File::CreateOutput(folder.Path("fifo")); }), 5);
  EXPECT_EQ(ErrorCodeOf([&] { File::CreateOutput(folder.Path("none/file")); }), 3);
  EXPECT_EQ(TempFolder::Read(readOnly), Bytes({'k', 'e', 'e', 'p'}));
}

TEST(FileCreate, ReplacesAFileAndNeverWritesThroughALink) {
  TempFolder folder;
  const std::string target = folder.Write("target", "target");
  const std::string old = folder.Write("old", "old contents");
  std::filesystem::create_symlink(target, folder.Path("link"));
  for (const std::string& path : {old, folder.Path("link")}) {
    File output = File::CreateOutput(path);
    EXPECT_EQ(output.Size(), 0);
    output.Write(Bytes{'n', 'e', 'w'});
    output.Close();
    EXPECT_EQ(TempFolder::Read(path), Bytes({'n', 'e', 'w'}));
  }
  EXPECT_FALSE(std::filesystem::is_symlink(folder.Path("link")));
  EXPECT_EQ(TempFolder::Read(target), Bytes({'t', 'a', 'r', 'g', 'e', 't'}));
}

TEST(FileCreate, AnInputOpenUnderTheSameNameKeepsItsContents) {
  TempFolder folder;
  const std::string path = folder.Write("data", "original");
  File input = File::OpenInput(path);
  File output = File::CreateOutput(path);
  Bytes buffer(8);
  EXPECT_EQ(input.Read(buffer), 8u);
  EXPECT_EQ(buffer, Bytes({'o', 'r', 'i', 'g', 'i', 'n', 'a', 'l'}));
}

TEST(FileBlocks, ReadWriteSeekAndSize) {
  TempFolder folder;
  File file = File::CreateOutput(folder.Path("data"));
  file.Write(Bytes{1, 2, 3, 4, 5, 6, 7});
  EXPECT_EQ(file.Size(), 7);
  EXPECT_EQ(file.Position(), 7);
  EXPECT_EQ(file.Seek(-3, SeekOrigin::End), 4);
  Bytes buffer(5);
  EXPECT_EQ(file.Read(buffer), 3u);  // short only at the end
  EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 3), Bytes({5, 6, 7}));
  EXPECT_EQ(file.Read(buffer), 0u);
  EXPECT_EQ(file.Seek(1, SeekOrigin::Begin), 1);
  EXPECT_EQ(file.Seek(2, SeekOrigin::Current), 3);
  EXPECT_EQ(ErrorCodeOf([&] { file.Seek(-8, SeekOrigin::End); }), 131);
}

}  // namespace
}  // namespace platform
