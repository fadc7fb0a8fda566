#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "package/package_state.h"

namespace package {

// The trailer record at the very end of a packaged program file:
//   0 BootLength, 4 MainLength (32-bit little-endian, top bit clear)
//   8 BootModel, 17 MainModel, 27 BuiltFor, 78 ProductName (length byte + characters)
//   26 IgnoreModel flag, 129 reserved (13 bytes), 142 Language, 143 Countries (50 flags)
// A flag is true only when its byte is exactly 1.
using TrailerBytes = std::array<std::uint8_t, TrailerSize>;

inline constexpr std::size_t ModelCapacity = 8;
inline constexpr std::size_t BuiltForCapacity = 50;
inline constexpr std::size_t ProductNameCapacity = 49;
inline constexpr int CountryFlagCount = 50;
inline constexpr std::uint8_t LanguageCount = 5;  // 0 English .. 4 Spanish

// Raises platform::EIntOverflow when a length's last byte is 0x80 or more. A text whose
// length byte exceeds its capacity is cut to the capacity.
PackageInfo DecodeTrailer(const TrailerBytes& bytes);

// The inverse of DecodeTrailer, reserved bytes zero. Raises platform::ERangeError for a
// negative length or a text longer than its capacity.
TrailerBytes EncodeTrailer(const PackageInfo& info);

// The nine lines of the package dump, in English whatever the log's language, texts as UTF-8.
std::vector<std::string> PackageInfoDump(const PackageInfo& info);

}  // namespace package
