#include "platform/date_time.h"

#include <cmath>
#include <cstdlib>

namespace platform {
namespace {

constexpr std::int64_t kMSecsPerDay = 86'400'000;
// Serials of 0001-01-01 and 9999-12-31, and of 1970-01-01 (the calendar routines' origin).
constexpr std::int64_t kMinDay = -693'593;
constexpr std::int64_t kMaxDay = 2'958'465;
constexpr std::int64_t kUnixEpochDay = 25'569;

// Days since 1970-01-01 of a proleptic Gregorian date, and back (H. Hinnant's algorithms).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2));
}

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

}  // namespace

bool DecodeDateTime(TDateTime value, TDateTimeParts& parts) {
  parts = TDateTimeParts{};
  if (!std::isfinite(value) || value <= kMinDay - 1 || value >= kMaxDay + 1) return false;
  // As the run-time does: whole milliseconds first, the day truncated toward zero, the time
  // of day from the magnitude.
  const auto msecs = static_cast<std::int64_t>(std::nearbyint(value * kMSecsPerDay));
  const std::int64_t day = msecs / kMSecsPerDay;
  if (day < kMinDay || day > kMaxDay) return false;
  std::int64_t time = std::llabs(msecs) % kMSecsPerDay;
  CivilFromDays(day - kUnixEpochDay, parts.Year, parts.Month, parts.Day);
  parts.Hour = static_cast<int>(time / 3'600'000);
  time %= 3'600'000;
  parts.Minute = static_cast<int>(time / 60'000);
  time %= 60'000;
  parts.Second = static_cast<int>(time / 1000);
  parts.MilliSecond = static_cast<int>(time % 1000);
  return true;
}

bool TryEncodeDate(int year, int month, int day, TDateTime& value) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  const int last = kDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
  if (day > last) return false;
  value = static_cast<TDateTime>(
      DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
      kUnixEpochDay);
  return true;
}

bool TryEncodeTime(int hour, int minute, int second, int milliSecond, TDateTime& value) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
      milliSecond < 0 || milliSecond > 999)
    return false;
  value = (hour * 3'600'000.0 + minute * 60'000.0 + second * 1000.0 + milliSecond) / kMSecsPerDay;
  return true;
}

bool TryEncodeDateTime(const TDateTimeParts& parts, TDateTime& value) {
  TDateTime date = 0;
  TDateTime time = 0;
  if (!TryEncodeDate(parts.Year, parts.Month, parts.Day, date) ||
      !TryEncodeTime(parts.Hour, parts.Minute, parts.Second, parts.MilliSecond, time))
    return false;
  value = date >= 0 ? date + time : date - time;
  return true;
}

}  // namespace platform
