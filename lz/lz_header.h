#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "lz/counted_string.h"

namespace lz {

inline constexpr std::size_t kLZHeaderSize = 43;
inline constexpr std::string_view kLZSignature = "aVarkoM#";

// The 43-byte header in front of every archive's stream (little-endian, no gaps).
struct TLZHeader {
  CountedString<12> FileName;  // without folder, cut to 12 characters
  std::int32_t UncompressedSize = 0;
  std::int32_t CompressedSize = 0;  // stream bytes behind the header
  std::uint32_t FileDate = 0;       // MS-DOS date and time, local time
  CountedString<8> Version;
  CountedString<8> Signature;

  bool operator==(const TLZHeader&) const = default;
};

std::array<std::uint8_t, kLZHeaderSize> EncodeLZHeader(const TLZHeader& header);
TLZHeader DecodeLZHeader(std::span<const std::uint8_t, kLZHeaderSize> bytes);

// The archive test on a header read in full: a stored name and the signature.
bool IsLZArchiveHeader(const TLZHeader& header);

}  // namespace lz
