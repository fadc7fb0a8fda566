#include "text/cp1252.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace text {
namespace {

// Code points of bytes 0x80..0x9F; the undefined bytes keep their own value. Every other byte
// is its own code point.
constexpr std::array<char32_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    // Nothing in the code page lies beyond the basic plane.
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// The lead byte of a multi-byte UTF-8 sequence: its tag bits, length and least code point.
struct LeadByte {
  std::uint8_t mask;
  std::uint8_t tag;
  int length;
  char32_t smallest;
};
constexpr std::array<LeadByte, 3> LeadBytes = {{
    {0xE0, 0xC0, 2, 0x80},
    {0xF0, 0xE0, 3, 0x800},
    {0xF8, 0xF0, 4, 0x10000},
}};

// Decodes one well-formed UTF-8 sequence at text[pos], moving pos past it; empty for a
// truncated, overlong or surrogate sequence, or one beyond U+10FFFF.
std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& pos) {
  const auto first = static_cast<std::uint8_t>(text[pos++]);
  if (first < 0x80) return first;
  const auto* lead = std::ranges::find_if(
      LeadBytes, [first](const LeadByte& l) { return (first & l.mask) == l.tag; });
  if (lead == LeadBytes.end()) return std::nullopt;
  char32_t cp = first & static_cast<std::uint8_t>(~lead->mask);
  for (int i = 1; i < lead->length; ++i) {
    if (pos >= text.size()) return std::nullopt;
    const auto next = static_cast<std::uint8_t>(text[pos++]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    cp = (cp << 6) | (next & 0x3F);
  }
  if (cp < lead->smallest || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
  return cp;
}

std::optional<char> ToByte(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  const auto it = std::ranges::find(HighControls, cp);
  if (it == HighControls.end()) return std::nullopt;
  return static_cast<char>(0x80 + (it - HighControls.begin()));
}

}  // namespace

std::string ToUtf8(std::string_view cp1252) {
  std::string out;
  out.reserve(cp1252.size());
  for (const char c : cp1252) {
    const auto byte = static_cast<std::uint8_t>(c);
    AppendUtf8(out, byte >= 0x80 && byte < 0xA0 ? HighControls[byte - 0x80] : char32_t{byte});
  }
  return out;
}

std::optional<std::string> FromUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    const std::optional<char32_t> cp = DecodeUtf8(utf8, pos);
    if (!cp) return std::nullopt;
    const std::optional<char> byte = ToByte(*cp);
    if (!byte) return std::nullopt;
    out += *byte;
  }
  return out;
}

}  // namespace text
