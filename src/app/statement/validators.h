#pragma once
// Checks and normalisers of cell texts. Pure functions of their text (Windows-1250); text tests
// are exact and case-sensitive. Normalisers return an empty text for a rejected input.
#include <string>
#include <string_view>

namespace app {

// X rounded to digits decimals (negative digits: to tens, hundreds, ...), halves away from zero.
// Raises ERangeError "RoundN: Value must be in -12..12" for |digits| > 12.
long double RoundN(long double x, int digits);

// "SK" and 10 digits.
bool IsSKVATNumber(std::string_view text);
// 2 to 14 characters, the first two capital letters A-Z.
bool IsForeignVATNumber(std::string_view text);
// The date as yyyy-mm-dd ("2014-1-4" gives "2014-01-04") when the text is an existing
// year-month-day date with "-" between the numbers (a one- or two-digit year in the current
// century; month-day alone in the current year); otherwise empty. The current year is the local
// clock's unless given.
std::string CheckDateYMD(std::string_view text);
std::string CheckDateYMD(std::string_view text, int currentYear);
// "10" or "20".
bool IsVATRate(std::string_view text);
// The amount as a plain decimal number (AmountText) with a decimal point and at most two
// decimals, rounded by the rounding mode (0 none: more decimals are rejected; 1 half away from
// zero; 2 down; 3 up); "." and the process-wide decimal separator are both accepted. Empty when
// the text is no number or the amount is 1E16 or more in size.
std::string FormatAmount(std::string_view text, int roundingMode);
// At most 32 characters.
bool IsMaxLen32(std::string_view text);
// Four characters forming an integer ("0401").
bool IsFourDigitNumber(std::string_view text);
// Empty, "IO" or "MT".
bool IsGoodsTypeCode(std::string_view text);
// "kg", "t", "m" or "ks".
bool IsUnitOfMeasure(std::string_view text);
// The quantity as FormatAmount writes amounts when it has at most two decimals and is below
// 1E16 in size, else empty.
std::string FormatQuantity(std::string_view text);
// Empty, or an integer 1 or 2.
bool IsIntOneOrTwo(std::string_view text);
// An integer 0 or 1.
bool IsIntZeroOrOne(std::string_view text);
// Empty, "x" or "X".
bool IsEmptyOrX(std::string_view text);
// Empty, "1" or "2" as text.
bool IsEmptyOneOrTwo(std::string_view text);

}  // namespace app
