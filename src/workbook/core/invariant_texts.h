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
// ASCII letters lowered and every other unit kept, so positions stay: the keywords and names the
// formats compare without regard to case are ASCII.
inline char16_t LowerAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c; }
std::u16string LowerAscii(std::u16string_view text);
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

// Files write these texts in one fixed layout, so the parts are read by position and the
// separators are not checked; a missing or non-numeric part counts as 0, and an impossible date
// or time fails with value 0.
bool ISOTryStrToDateTime(std::u16string_view text, TDateTime& value);
TDateTime ISOStrToDateTimeDef(std::u16string_view text, TDateTime defaultValue);
TDateTime ISOStrToDateTime(std::u16string_view text);
// The date part alone.
bool ISOTryStrToDate(std::u16string_view text, TDateTime& value);
TDateTime ISOStrToDateDef(std::u16string_view text, TDateTime defaultValue);
TDateTime ISOStrToDate(std::u16string_view text);
// "hh:nn:ss" by position; 0 when it is no valid time.
TDateTime ISOStrToTime(std::u16string_view text);

std::u16string ISOBoolToStr(bool value);
// True only for "1".
bool ISOStrToBool(std::u16string_view text);
// Default true: true unless the text is "0"; default false: true only for "1".
bool ISOStrToBoolDef(std::u16string_view text, bool defaultValue);

}  // namespace workbook
