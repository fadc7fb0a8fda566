#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "platform/files.h"
#include "tests/files/temp_folder.h"

namespace platform {
namespace {

constexpr std::uint32_t Dos(int year, int month, int day, int hour, int minute, int second) {
  return static_cast<std::uint32_t>((year - 1980) << 25 | month << 21 | day << 16 | hour << 11 |
                                    minute << 5 | second / 2);
}

// Local time is what the format stores; the tests pin a zone with summer time.
class DosDateTime : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* previous = std::getenv("TZ");
    if (previous != nullptr) previous_ = previous;
    hadZone_ = previous != nullptr;
    ::setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
  }
  void TearDown() override {
    if (hadZone_) {
      ::setenv("TZ", previous_.c_str(), 1);
    } else {
      ::unsetenv("TZ");
    }
    ::tzset();
  }

 private:
  bool hadZone_ = false;
  std::string previous_;
};

TEST_F(DosDateTime, ConvertsLocalTimeBothWays) {
  struct Case {
    std::uint32_t dos;
    std::time_t utc;
  };
  const Case cases[] = {
      {Dos(1980, 1, 1, 0, 0, 0), 315529200},        // earliest, winter time
      {Dos(2024, 7, 15, 12, 30, 58), 1721039458},   // summer time
      {Dos(2000, 2, 29, 23, 59, 58), 951865198},    // leap day
      {Dos(2107, 12, 31, 23, 59, 58), 4354815598},  // latest
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DosDateTimeToUnixTime(c.dos), c.utc) << std::hex << c.dos;
    EXPECT_EQ(UnixTimeToDosDateTime(c.utc), c.dos) << c.utc;
  }
}

TEST_F(DosDateTime, OddSecondsRoundDownAndOutOfRangeTimesHaveNoDosForm) {
  EXPECT_EQ(UnixTimeToDosDateTime(1721039459), Dos(2024, 7, 15, 12, 30, 58));
  EXPECT_EQ(UnixTimeToDosDateTime(315529199), std::nullopt);   // 1979
  EXPECT_EQ(UnixTimeToDosDateTime(4354815600), std::nullopt);  // 2108
}

TEST_F(DosDateTime, RejectsInvalidFields) {
  const std::uint32_t invalid[] = {
      0,                          // month 0, day 0
      Dos(2001, 2, 29, 0, 0, 0),  // no leap year
      Dos(2001, 13, 1, 0, 0, 0),
      Dos(2001, 4, 31, 0, 0, 0),
      Dos(2001, 1, 1, 24, 0, 0),
      Dos(2001, 1, 1, 0, 60, 0),
      Dos(2001, 1, 1, 0, 0, 0) | 30,  // 60 seconds
      0xFFFFFFFF,
  };
  for (std::uint32_t dos : invalid)
    EXPECT_EQ(DosDateTimeToUnixTime(dos), std::nullopt) << std::hex << dos;
}

TEST_F(DosDateTime, SetsAndReadsAFilesLastWriteTime) {
  testing_support::TempFolder folder;
  File file = File::CreateOutput(folder.Path("data"));
  EXPECT_TRUE(file.SetLastWriteDosDateTime(Dos(1999, 12, 31, 23, 59, 58)));
  EXPECT_EQ(file.LastWriteDosDateTime(), Dos(1999, 12, 31, 23, 59, 58));
  EXPECT_FALSE(file.SetLastWriteDosDateTime(0));
  EXPECT_EQ(file.LastWriteDosDateTime(), Dos(1999, 12, 31, 23, 59, 58));
}

}  // namespace
}  // namespace platform
