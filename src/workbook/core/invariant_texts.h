#pragma once
// The invariant value texts that every file format and the application's import use: numbers
// with "." as the decimal separator and no grouping, ISO dates and times, Booleans as "1" and
// "0". None of them depends on the user's locale.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/date_time.h"
#include "platform/format_settings.h"

namespace workbook {

using platform::TDateTime;

// The process's format settings with "." as the decimal separator; taken from the settings the
// application has set up by the time it is first asked for.
const platform::TFormatSettings& InvariantFormatSettings();

// Up to 15 significant digits, "." as the point, exponent form for very large and very small
// magnitudes ("1E20", "1.5E-5").
std::u16string ISOFloatToStr(double value);
// Decimal digits with a leading "-" when negative.
std::u16string ISOIntToStr(std::int64_t value);
// Every "," read as "."; optional blanks around, no grouping. Default when the text is no number.
double ISOStrToFloatDef(std::u16string_view text, double defaultValue);
double ISOStrToFloat(std::u16string_view text);
bool ISOTryStrToFloat(std::u16string_view text, double& value);
// The number rounded half to even; Default when the text is no number or the rounded number is
// outside the 64-bit range.
std::int64_t ISOStrToIntDef(std::u16string_view text, std::int64_t defaultValue);
std::int64_t ISOStrToInt(std::u16string_view text);

// "yyyy-mm-dd hh:nn:ss", "yyyy-mm-dd" and "hh:nn:ss" (always with ":"). A value of 0 gives the
// empty texts below, and so does a value outside the years 1 to 9999.
std::u16string ISODateTimeToStr(TDateTime value);
std::u16string ISODateToStr(TDateTime value);
std::u16string ISOTimeToStr(TDateTime value);
std::u16string ISOEmptyDateTime();  // "0000-00-00 00:00:00"
std::u16string ISOEmptyDate();      // "0000-00-00"
std::u16string ISOEmptyTime();      // "00:00:00"

// Fixed positions (1-based): year 1-4, month 6-7, day 9-10, hour 12-13, minute 15-16, second
// 18-19; the characters between are not examined and a part that is no number (or is missing)
// counts as 0. Fails, with Value 0, when the parts form no valid date and time.
bool ISOTryStrToDateTime(std::u16string_view text, TDateTime& value);
TDateTime ISOStrToDateTimeDef(std::u16string_view text, TDateTime defaultValue);
TDateTime ISOStrToDateTime(std::u16string_view text);
// The same with year 1-4, month 6-7, day 9-10 only.
bool ISOTryStrToDate(std::u16string_view text, TDateTime& value);
TDateTime ISOStrToDateDef(std::u16string_view text, TDateTime defaultValue);
TDateTime ISOStrToDate(std::u16string_view text);
// Hour 1-2, minute 4-5, second 7-8; 0 when they form no valid time.
TDateTime ISOStrToTime(std::u16string_view text);

std::u16string ISOBoolToStr(bool value);
// True only for "1".
bool ISOStrToBool(std::u16string_view text);
// Default true: true unless the text is "0"; default false: true only for "1".
bool ISOStrToBoolDef(std::u16string_view text, bool defaultValue);

}  // namespace workbook
