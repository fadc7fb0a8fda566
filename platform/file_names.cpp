#include <unistd.h>

#include <cerrno>
#include <climits>
#include <string>
#include <vector>

#include "platform/file_errors.h"
#include "platform/files.h"

namespace platform {
namespace {

std::string WorkingDirectory() {
  char buffer[PATH_MAX];
  if (::getcwd(buffer, sizeof buffer) == nullptr)
    RaiseFileError(errno, FileOperation::Inquire, ".");
  return buffer;
}

char FoldCase(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

std::string ExpandFileName(const std::string& path) {
  const std::string absolute =
      !path.empty() && path[0] == '/' ? path : WorkingDirectory() + "/" + path;
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= absolute.size()) {
    std::size_t end = absolute.find('/', start);
    if (end == std::string::npos) end = absolute.size();
    const std::string part = absolute.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::string result;
  for (const std::string& part : parts)
    result += "/" + part;
  if (result.empty() || (absolute.back() == '/' && !path.empty())) result += "/";
  return result;
}

bool SameFileName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

}  // namespace platform
