#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace platform {

// Byte order of every integer in the program's file formats (archive header, package trailer,
// WAVE files): least significant byte first.

inline std::uint32_t ReadLittleEndian32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
         static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
         static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

inline void WriteLittleEndian32(std::span<std::uint8_t> bytes, std::size_t at,
                                std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i)
    bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace platform
