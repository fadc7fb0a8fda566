#include "package/temporary_files.h"

#include "platform/files.h"

namespace package {

void MarkTemporary(const std::string& path) {
  platform::SetFileAttributes(path, platform::kAttributeReadOnly | platform::kAttributeHidden);
}

bool RemoveTemporaryFile(const std::string& path) {
  platform::SetFileAttributes(path, platform::kAttributeNormal);
  return platform::DeleteFile(path);
}

}  // namespace package
