#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files.h"

namespace platform {
namespace {

bool HasNul(const std::string& path) {
  return path.find('\0') != std::string::npos;
}

}  // namespace

bool FileExists(const std::string& path) {
  struct stat info {};
  return !HasNul(path) && ::lstat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool SetFileAttributes(const std::string& path, int attributes) {
  struct stat info {};
  if (HasNul(path) || ::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  const mode_t mode = (attributes & kAttributeReadOnly) != 0 ? 0400 : 0600;
  return ::fchmodat(AT_FDCWD, path.c_str(), mode, AT_SYMLINK_NOFOLLOW) == 0;
}

bool DeleteFile(const std::string& path) {
  struct stat info {};
  if (HasNul(path) || ::lstat(path.c_str(), &info) != 0) return false;
  if (S_ISLNK(info.st_mode)) return ::unlink(path.c_str()) == 0;
  if (!S_ISREG(info.st_mode) || (info.st_mode & S_IWUSR) == 0) return false;
  return ::unlink(path.c_str()) == 0;
}

}  // namespace platform
