#pragma once
// Text to number conversions of the application. They follow the process-wide format settings,
// never the C locale: a decimal separator (DecimalSeparator()) and no thousands separator.
#include <cstdint>
#include <string>
#include <string_view>

namespace app {

// The process-wide decimal separator as a Windows-1250 byte ("," as the program sets it).
char DecimalSeparator();

// Strict: a signed decimal number, optionally in exponent form, blanks around it allowed and
// nothing else, so a typo in a cell never passes as a number. Overflow fails; underflow is zero.
bool TryTextToFloat(std::string_view text, double& value, char decimalSeparator);
bool TryTextToExtended(std::string_view text, long double& value, char decimalSeparator);
// As TryTextToExtended with DecimalSeparator(); raises EConvertError
// "'%s' is not a valid floating point value".
long double StrToFloat(std::string_view text);

// Optional leading blanks, an optional sign, then decimal digits, or hexadecimal digits after
// "$", "x" or "0x" (either case of x); the whole text must be used. Hexadecimal texts take up to
// 32 bits, read as a signed value ("$FFFFFFFF" is -1), as the run-time always did.
bool TryStrToInt(std::string_view text, std::int32_t& value);
// Raises EConvertError "'%s' is not a valid integer value".
std::int32_t StrToInt(std::string_view text);

}  // namespace app
