#pragma once

#include <string>
#include <string_view>

namespace lz {

// Replaces the last character of a compressed file's extension.
inline constexpr char kCompressedNameMark = '~';

// "/", "\" and ":" all end a folder or drive part of a name.
std::string ExtractFileName(std::string_view fileName);
// The folder part including its last separator; empty when there is none.
std::string ExtractFilePath(std::string_view fileName);

// README.TXT gives README.TX~; a name without a real extension gets ".~".
std::string MakeCompressedName(std::string_view fileName);

}  // namespace lz
