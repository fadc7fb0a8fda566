#include "platform/windows_paths.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/exceptions.h"
#include "tests/package/package_sandbox.h"

namespace package_test {
namespace {

TEST(LocalPath, MapsDriveCAndKeepsBareNames) {
  const Sandbox sandbox;
  struct Case {
    const char* windowsName;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"c:\\~1~Z~6~Z.$$$", sandbox.DriveC() + "/~1~Z~6~Z.$$$"},
      {"C:\\sub\\file.txt", sandbox.DriveC() + "/sub/file.txt"},
      {"c:/a:b\\c", sandbox.DriveC() + "/a/b/c"},
      {"~W~T~F~9.WAV", "~W~T~F~9.WAV"},
      {"sub\\file", "sub/file"},
      {"/already/absolute", "/already/absolute"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(platform::LocalPath(c.windowsName), c.expected) << c.windowsName;
  EXPECT_THROW(platform::LocalPath("d:\\file"), platform::EInOutError);
}

TEST(DriveCFolder, CreatedPrivateWhenMissing) {
  const Sandbox sandbox;
  EXPECT_EQ(platform::DriveCFolder(), sandbox.DriveC());
  EXPECT_EQ(Mode(sandbox.DriveC()), 0700);
  EXPECT_TRUE(std::filesystem::is_directory(sandbox.DriveC()));
}

TEST(DriveCFolder, FallsBackToTheRuntimeFolder) {
  const Sandbox sandbox;
  const char* saved = std::getenv("XDG_RUNTIME_DIR");
  const std::string previous = saved ? saved : "";
  ::unsetenv("TESSARY_DRIVE_C");
  ::setenv("XDG_RUNTIME_DIR", sandbox.Root().c_str(), 1);
  EXPECT_EQ(platform::DriveCFolder(), sandbox.Root() + "/tessary");
  if (saved) {
    ::setenv("XDG_RUNTIME_DIR", previous.c_str(), 1);
  } else {
    ::unsetenv("XDG_RUNTIME_DIR");
  }
}

// The temporary files there are trusted, so a folder someone else could have planted is not.
TEST(DriveCFolder, RefusesFoldersItCannotTrust) {
  struct Case {
    const char* name;
    bool (*plant)(const Sandbox&);  // false when this system cannot set the case up
  };
  const std::vector<Case> cases = {
      {"symlink to a folder",
       [](const Sandbox& s) {
         std::filesystem::create_directory(s.Path("real"));
         std::filesystem::create_directory_symlink(s.Path("real"), s.DriveC());
         return true;
       }},
      {"regular file",
       [](const Sandbox& s) {
         WriteBytes(s.DriveC(), Pattern(1, 0));
         return true;
       }},
      {"owned by someone else",
       [](const Sandbox& s) {
         std::filesystem::create_directory(s.DriveC());
         return ::chown(s.DriveC().c_str(), ::geteuid() + 1, static_cast<gid_t>(-1)) == 0;
       }},
  };
  for (const Case& c : cases) {
    const Sandbox sandbox;
    if (!c.plant(sandbox)) continue;
    EXPECT_THROW(platform::DriveCFolder(), platform::EInOutError) << c.name;
    EXPECT_THROW(platform::LocalPath("c:\\x"), platform::EInOutError) << c.name;
  }
}

}  // namespace
}  // namespace package_test
