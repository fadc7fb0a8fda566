#include "platform/windows_paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/exceptions.h"

namespace platform {
namespace {

constexpr int kPathNotFound = 3;
constexpr int kAccessDenied = 5;

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::string ChosenDriveCFolder() {
  if (std::string folder = Environment("TESSARY_DRIVE_C"); !folder.empty()) return folder;
  if (std::string runtime = Environment("XDG_RUNTIME_DIR"); !runtime.empty()) {
    return runtime + "/tessary";
  }
  return "/tmp/tessary-" + std::to_string(geteuid());
}

bool IsSeparator(char c) {
  return c == '/' || c == '\\' || c == ':';
}

bool HasDrive(std::string_view name) {
  return name.size() >= 2 && std::isalpha(static_cast<unsigned char>(name[0])) && name[1] == ':';
}

std::string JoinComponents(std::string_view name) {
  std::string joined;
  std::size_t start = 0;
  while (start <= name.size()) {
    std::size_t end = start;
    while (end < name.size() && !IsSeparator(name[end]))
      ++end;
    if (end > start) {
      if (!joined.empty()) joined += '/';
      joined.append(name.substr(start, end - start));
    }
    start = end + 1;
  }
  return joined;
}

}  // namespace

std::string DriveCFolder() {
  const std::string folder = ChosenDriveCFolder();
  if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
    throw EInOutError(errno == ENOENT ? kPathNotFound : kAccessDenied,
                      "Cannot create the drive C: folder " + folder + ": " + std::strerror(errno));
  }
  struct stat info {};
  if (lstat(folder.c_str(), &info) != 0) {
    throw EInOutError(kPathNotFound, "Drive C: folder " + folder + ": " + std::strerror(errno));
  }
  if (S_ISLNK(info.st_mode)) {
    throw EInOutError(kAccessDenied, "Drive C: folder " + folder + " is a symlink; refused");
  }
  if (!S_ISDIR(info.st_mode)) {
    throw EInOutError(kPathNotFound, "Drive C: folder " + folder + " is not a folder");
  }
  if (info.st_uid != geteuid()) {
    throw EInOutError(kAccessDenied,
                      "Drive C: folder " + folder + " belongs to another user; refused");
  }
  return folder;
}

std::string LocalPath(std::string_view windowsName) {
  if (windowsName.starts_with('/')) return std::string(windowsName);
  if (!HasDrive(windowsName)) return JoinComponents(windowsName);
  if (std::toupper(static_cast<unsigned char>(windowsName[0])) != 'C') {
    throw EInOutError(kPathNotFound, "No drive " + std::string(windowsName.substr(0, 2)) +
                                         " on this system: " + std::string(windowsName));
  }
  const std::string rest = JoinComponents(windowsName.substr(2));
  const std::string folder = DriveCFolder();
  return rest.empty() ? folder : folder + "/" + rest;
}

}  // namespace platform
