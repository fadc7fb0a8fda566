#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/files.h"
#include "tests/files/temp_folder.h"

namespace platform {
namespace {

TEST(ExpandFileName, ResolvesAgainstTheWorkingDirectoryByName) {
  testing_support::TempFolder folder;
  testing_support::WorkingDirectory inside(folder.Root());
  const std::string cwd = std::filesystem::current_path().string();
  struct Case {
    std::string path;
    std::string expanded;
  };
  const Case cases[] = {
      {"a.txt", cwd + "/a.txt"}, {"./x/../a.txt", cwd + "/a.txt"},
      {"sub/", cwd + "/sub/"},   {"/a//b/./c", "/a/b/c"},
      {"/../..", "/"},           {"/usr/lib/../bin", "/usr/bin"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ExpandFileName(c.path), c.expanded) << c.path;
}

TEST(SameFileName, IgnoresTheCaseOfLettersOnly) {
  EXPECT_TRUE(SameFileName("/Tmp/README.txt", "/tmp/readme.TXT"));
  EXPECT_FALSE(SameFileName("/tmp/a", "/tmp/a "));
  EXPECT_FALSE(SameFileName("a~", "a^"));  // 0x7E and 0x5E differ by the case bit
  EXPECT_FALSE(SameFileName("@", "`"));
}

}  // namespace
}  // namespace platform
