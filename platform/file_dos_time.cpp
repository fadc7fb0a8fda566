#include <ctime>
#include <optional>

#include "platform/files.h"

namespace platform {
namespace {

constexpr int kFirstDosYear = 1980;
constexpr int kLastDosYear = kFirstDosYear + 127;

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

std::optional<std::uint32_t> UnixTimeToDosDateTime(std::time_t time) {
  ::tzset();
  std::tm local{};
  if (::localtime_r(&time, &local) == nullptr) return std::nullopt;
  const int year = local.tm_year + 1900;
  if (year < kFirstDosYear || year > kLastDosYear) return std::nullopt;
  // A leap second reads as the last even second of its minute.
  const int seconds = local.tm_sec > 59 ? 59 : local.tm_sec;
  const std::uint32_t date = static_cast<std::uint32_t>((year - kFirstDosYear) << 9 |
                                                        (local.tm_mon + 1) << 5 | local.tm_mday);
  const std::uint32_t timeOfDay =
      static_cast<std::uint32_t>(local.tm_hour << 11 | local.tm_min << 5 | seconds / 2);
  return date << 16 | timeOfDay;
}

std::optional<std::time_t> DosDateTimeToUnixTime(std::uint32_t dosDateTime) {
  const int year = kFirstDosYear + static_cast<int>(dosDateTime >> 25);
  const int month = static_cast<int>(dosDateTime >> 21 & 0x0F);
  const int day = static_cast<int>(dosDateTime >> 16 & 0x1F);
  const int hour = static_cast<int>(dosDateTime >> 11 & 0x1F);
  const int minute = static_cast<int>(dosDateTime >> 5 & 0x3F);
  const int second = static_cast<int>(dosDateTime & 0x1F) * 2;
  if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) || hour > 23 ||
      minute > 59 || second > 59) {
    return std::nullopt;
  }
  ::tzset();
  std::tm local{};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_sec = second;
  local.tm_isdst = -1;
  const std::time_t time = ::mktime(&local);
  if (time == static_cast<std::time_t>(-1)) return std::nullopt;
  return time;
}

}  // namespace platform
