#include "package/firmware_package.h"
#include "package/temporary_files.h"
#include "platform/exceptions.h"
#include "platform/windows_paths.h"

namespace package {

void FirmwarePackage::DeleteTemporaryFiles() {
  for (const std::string_view name : LeftoverFiles) {
    try {
      RemoveTemporaryFile(platform::LocalPath(name));
    } catch (const platform::EInOutError&) {
      // A refused drive C: folder holds nothing of ours to delete.
    }
  }
}

}  // namespace package
