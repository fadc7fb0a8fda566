#pragma once

#include <cstdint>
#include <string>

#include "lz/counted_string.h"
#include "lz/lz_header.h"
#include "platform/files.h"

namespace lz {

// Reads the header at the start of the file into header and applies the archive test; the
// file's position is left where it was.
bool ReadLZHeader(platform::File& file, TLZHeader& header);

// The name stored in the archive fileName, or fileName itself when it is no archive.
std::string GetStoredName(const std::string& fileName);

// Raises EInOutError when the file cannot be opened and ERangeError beyond 2 GB.
std::int32_t FileSizeByName(const std::string& fileName);

// Last-write time as MS-DOS date and time: 0 when the file cannot be opened, 0xFFFFFFFF when
// its time has no MS-DOS form.
std::uint32_t FileDateByName(const std::string& fileName);

// Files carry no version resource on this system: every query finds nothing.
std::string GetVersionInfoString(const std::string& fileName, const std::string& key);
// The "FileVersion" text cut to 8 characters, or "0" when there is none.
CountedString<8> GetFileVersionText(const std::string& fileName);

}  // namespace lz
