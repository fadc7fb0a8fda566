#pragma once

#include <ostream>
#include <string>

namespace lz_tool {

// Prints the header fields of an archive, or that the file is not one.
void PrintArchiveInfo(const std::string& fileName, std::ostream& out);

}  // namespace lz_tool
