#pragma once
// How the ODS reader turns a cell element's attributes and paragraphs into values.
#include <cstdint>
#include <string>
#include <string_view>

namespace workbook {

// A table:number-*-repeated count: 1 when absent, not a number or below 1; capped far above any
// sheet's size, so the caller's sums cannot overflow.
std::int64_t ODSRepeatCount(std::string_view text);
// office:value with the invariant decimal point; false when it is no number.
bool ODSReadFloat(std::string_view text, double& value);
// office:date-value, "yyyy-mm-dd" with an optional "Thh:nn:ss" (fractions ignored), as a day
// serial; false for no valid date.
bool ODSReadDate(std::string_view text, double& value);
// office:time-value, an ISO duration such as "PT12H30M15S" (days, fractions of seconds and a
// sign allowed), as a day serial; false when it is no duration.
bool ODSReadTime(std::string_view text, double& value);
// office:boolean-value: true when it starts with T, t or 1.
bool ODSReadBoolean(std::string_view text);
// text:c of a text:s, the spaces it stands for: 1 when absent or not a number, and no more than
// the longest text a spreadsheet cell holds.
std::int64_t ODSSpaceCount(std::string_view text);

}  // namespace workbook
