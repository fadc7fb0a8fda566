#include "package/intel_hex.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/package/package_sandbox.h"

namespace package_test {
namespace {

bool WellFormed(const std::string& text) {
  package::IntelHexChecker checker;
  checker.Feed(ToBytes(text));
  return checker.WellFormed();
}

TEST(IntelHexChecker, Records) {
  const std::string data = ":0300300002337A1E\r\n";
  const std::string end = ":00000001FF\r\n";
  struct Case {
    const char* name;
    std::string text;
    bool wellFormed;
  };
  const std::vector<Case> cases = {
      {"data and end", data + end, true},
      {"lower-case digits", ":0300300002337a1e\n:00000001ff\n", true},
      {"LF line ends, last without", ":0300300002337A1E\n:00000001FF", true},
      {"extended address record", ":020000040800F2\r\n" + end, true},
      {"longest record", IntelHexImage(1), true},
      {"end record alone", end, true},
      {"empty", "", false},
      {"no end record", data, false},
      {"record after the end", end + data, false},
      {"text after the end", end + "x", false},
      {"bad checksum", ":0300300002337A1F\r\n" + end, false},
      {"length says more", ":0400300002337A1D\r\n" + end, false},
      {"length says less", ":0200300002337A1F\r\n" + end, false},
      {"odd digit count", ":0300300002337A1E0\r\n" + end, false},
      {"not a digit", ":03003000023G7A1E\r\n" + end, false},
      {"no colon", "0300300002337A1E\r\n" + end, false},
      {"too short", ":00\r\n" + end, false},
      {"unknown type", ":00000006FA\r\n" + end, false},
      {"end record with data", ":01000001AA54\r\n", false},
      {"over-long line", ":" + std::string(600, '0') + "\r\n" + end, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(WellFormed(c.text), c.wellFormed) << c.name;
}

TEST(IntelHexChecker, PiecesMaySplitARecordAnywhere) {
  const std::string text = IntelHexImage(20);
  package::IntelHexChecker checker;
  for (const char c : text)
    checker.Feed(ToBytes(std::string(1, c)));
  EXPECT_TRUE(checker.WellFormed());
}

}  // namespace
}  // namespace package_test
