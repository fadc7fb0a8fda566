#include "text/cp1252.h"

#include <gtest/gtest.h>

#include <string>

namespace text {
namespace {

TEST(Cp1252, EveryByteStringSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b)
    all += static_cast<char>(b);
  const std::string utf8 = ToUtf8(all);
  EXPECT_EQ(FromUtf8(utf8), all);
}

TEST(Cp1252, ConvertsTheCharactersBothWays) {
  struct Case {
    std::string cp1252;
    std::string utf8;
  };
  const Case cases[] = {
      {"AT{A}\r", "AT{A}\r"},
      {"Termin\xE9.", "Terminé."},
      {"\x80 \x99 \x9F", "€ ™ Ÿ"},
      {"n\xB0"
       "1",
       "n°1"},
      {"\xFF", "ÿ"},
      {"\x81\x9D", "\u0081\u009D"},  // undefined in the code page: kept as controls
      {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToUtf8(c.cp1252), c.utf8);
    EXPECT_EQ(FromUtf8(c.utf8), c.cp1252);
  }
}

TEST(Cp1252, RefusesWhatTheCodePageCannotHoldOrIsNotUtf8) {
  const std::string refused[] = {
      "\u0100",            // a letter beyond the code page
      "ok \U0001F600",     // outside the basic plane
      "\u0080",            // the control whose byte the euro sign took
      "\xC3",              // truncated
      "\xC3(",             // bad continuation
      "\x80",              // lone continuation
      "\xC0\xAF",          // overlong
      "\xED\xA0\x80",      // surrogate
      "\xF4\x90\x80\x80",  // beyond U+10FFFF
      "\xFF",
  };
  for (const std::string& text : refused)
    EXPECT_FALSE(FromUtf8(text).has_value()) << text;
}

}  // namespace
}  // namespace text
