#pragma once
// Day serials, the run-time's date and time values: days since 30 December 1899 as a double,
// the fraction the time of day. For negative serials the whole part counts the days before
// that date and the fraction is still the time of day (-1.25 is 29 December 1899, 06:00).
#include <cstdint>

namespace platform {

using TDateTime = double;

struct TDateTimeParts {
  int Year = 0, Month = 0, Day = 0;
  int Hour = 0, Minute = 0, Second = 0, MilliSecond = 0;
};

// The calendar parts of value, rounded to the millisecond. False (and zero parts) for NaN,
// infinities and values outside 0001-01-01 .. 9999-12-31 23:59:59.999.
bool DecodeDateTime(TDateTime value, TDateTimeParts& parts);

// False for a date outside 0001-01-01 .. 9999-12-31 or a day the month does not have.
bool TryEncodeDate(int year, int month, int day, TDateTime& value);
// False outside 00:00:00.000 .. 23:59:59.999.
bool TryEncodeTime(int hour, int minute, int second, int milliSecond, TDateTime& value);
// Both; the time is added away from zero, so a negative serial keeps its sign convention.
bool TryEncodeDateTime(const TDateTimeParts& parts, TDateTime& value);

}  // namespace platform
