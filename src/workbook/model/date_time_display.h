#pragma once
// Day serials (days since 1899-12-30, the time of day as the fraction) taken apart and shown
// through a spreadsheet date/time format code. A negative serial keeps the convention of the
// serials: its whole part is the day and the absolute fraction the time of that day.
#include <string>

namespace workbook {

struct TDateTimeParts {
  int Year = 0, Month = 0, Day = 0;
  int Hour = 0, Minute = 0, Second = 0;
  int DayOfWeek = 0;         // 0 Sunday .. 6 Saturday
  long long TotalHours = 0;  // whole hours of the value, for elapsed-time codes
};

// Rounded to the nearest second (a time just short of midnight is the next day's 00:00:00).
// False when the value is no finite number or falls outside the years 1 to 9999.
bool DecodeSerial(double serial, TDateTimeParts& parts);

// The kind a date/time format code names.
enum class TDateTimeKind { Date, Time, DateTime };

// The code as it is classified and shown: lower case, cut at the first ";", "[h]" as "h", every
// backslash and every bracketed section removed.
std::u16string NormalizeDateTimeCode(const std::u16string& expandedCode);
TDateTimeKind DateTimeKindOf(const std::u16string& normalizedCode);

// The value the kind shows: whole days for dates, the time of day for times (the whole value for
// elapsed hours), the value itself for date-times.
double DateTimeKindValue(double value, TDateTimeKind kind, bool elapsedHours);

// The value through a normalised code (d, m, y, h, m/s minutes, s, am/pm, "/" and ":" as the
// system separators, quoted literals); empty when the value cannot be shown as a date.
std::u16string FormatDateTimeCode(const std::u16string& normalizedCode, double value,
                                  bool elapsedHours);

}  // namespace workbook
