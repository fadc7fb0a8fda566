#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace lz {

// A string of at most Capacity bytes stored as a length byte followed by the characters; the
// bytes after the characters are 0 in every string built here.
template <std::size_t Capacity>
class CountedString {
 public:
  static constexpr std::size_t kSize = Capacity + 1;

  CountedString() = default;
  // Cuts text to its first Capacity bytes.
  explicit CountedString(std::string_view text) {
    const std::size_t length = std::min(text.size(), Capacity);
    bytes_[0] = static_cast<std::uint8_t>(length);
    std::copy_n(text.begin(), length, bytes_.begin() + 1);
  }

  // Takes the stored bytes as they stand, whatever follows the characters.
  static CountedString FromBytes(std::span<const std::uint8_t, kSize> bytes) {
    CountedString result;
    std::copy(bytes.begin(), bytes.end(), result.bytes_.begin());
    return result;
  }

  // A length byte above the capacity is foreign data; reading stops at the capacity rather
  // than running into the fields behind the string.
  std::size_t Length() const { return std::min<std::size_t>(bytes_[0], Capacity); }
  std::string Text() const {
    return std::string(reinterpret_cast<const char*>(bytes_.data() + 1), Length());
  }
  const std::array<std::uint8_t, kSize>& Bytes() const { return bytes_; }

  bool operator==(const CountedString&) const = default;

 private:
  std::array<std::uint8_t, kSize> bytes_{};
};

}  // namespace lz
