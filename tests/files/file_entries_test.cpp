#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files.h"
#include "tests/files/temp_folder.h"

namespace platform {
namespace {

using testing_support::TempFolder;

mode_t ModeOf(const std::string& path) {
  struct stat info {};
  ::lstat(path.c_str(), &info);
  return info.st_mode & 0777;
}

TEST(FileEntries, AttributesMapToOwnerModes) {
  TempFolder folder;
  const std::string path = folder.Write("data", "x");
  EXPECT_TRUE(SetFileAttributes(path, kAttributeReadOnly | kAttributeHidden));
  EXPECT_EQ(ModeOf(path), 0400u);
  EXPECT_TRUE(SetFileAttributes(path, kAttributeNormal));
  EXPECT_EQ(ModeOf(path), 0600u);
  EXPECT_FALSE(SetFileAttributes(folder.Path("missing"), kAttributeNormal));
}

TEST(FileEntries, AttributesOfALinkLeaveItsTargetAlone) {
  TempFolder folder;
  const std::string target = folder.Write("target", "x");
  ::chmod(target.c_str(), 0644);
  std::filesystem::create_symlink(target, folder.Path("link"));
  EXPECT_FALSE(SetFileAttributes(folder.Path("link"), kAttributeReadOnly));
  EXPECT_EQ(ModeOf(target), 0644u);
}

TEST(FileEntries, DeleteRefusesReadOnlyFilesLikeWindows) {
  TempFolder folder;
  const std::string path = folder.Write("data", "x");
  SetFileAttributes(path, kAttributeReadOnly | kAttributeHidden);
  EXPECT_FALSE(DeleteFile(path));
  EXPECT_TRUE(FileExists(path));
  SetFileAttributes(path, kAttributeNormal);
  EXPECT_TRUE(DeleteFile(path));
  EXPECT_FALSE(FileExists(path));
  EXPECT_FALSE(DeleteFile(path));
}

TEST(FileEntries, ExistenceCountsFilesAndLinksButNotFolders) {
  TempFolder folder;
  folder.Write("data", "x");
  std::filesystem::create_directory(folder.Path("folder"));
  std::filesystem::create_symlink(folder.Path("missing"), folder.Path("dangling"));
  EXPECT_TRUE(FileExists(folder.Path("data")));
  EXPECT_TRUE(FileExists(folder.Path("dangling")));
  EXPECT_FALSE(FileExists(folder.Path("folder")));
  EXPECT_FALSE(FileExists(folder.Path("missing")));
  EXPECT_TRUE(DeleteFile(folder.Path("dangling")));
  EXPECT_FALSE(DeleteFile(folder.Path("folder")));
}

}  // namespace
}  // namespace platform
