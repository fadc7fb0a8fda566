#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace text {

// Windows code page 1252, the encoding of everything on the serial line and in files, against
// UTF-8, the encoding of everything shown. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control characters of the same value, as
// Windows converts them, so that every byte string survives the round trip.

// Every byte string has a UTF-8 form.
std::string ToUtf8(std::string_view cp1252);

// Empty when the text is not well-formed UTF-8 or holds a character the code page lacks.
std::optional<std::string> FromUtf8(std::string_view utf8);

}  // namespace text
