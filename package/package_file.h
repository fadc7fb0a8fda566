#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "package/package_state.h"
#include "package/package_tail.h"

namespace package {

// A program file that ends in a firmware package.
struct PackageFile {
  std::int64_t FileSize = 0;
  PackageInfo Info;
  PackageTail Tail;
};

// The package at the end of the file, or nothing when its last bytes are no package: the
// trailer must decode and describe pieces inside the file that begin as a RIFF sound and as
// LZ archives. Raises EInOutError when the file cannot be read.
std::optional<PackageFile> ReadPackageFile(const std::string& path);

}  // namespace package
