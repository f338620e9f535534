#pragma once
// The run-time's number texts, independent of the C and C++ locale: the general form with 15
// significant digits (FloatToStr) and the strict parse (StrToFloat).
#include <string>
#include <string_view>

namespace platform {

// At most 15 significant digits, no trailing zeros, no grouping: plain digits for ordinary
// magnitudes, exponent form ("1E15", "1.5E-5") for very large or very small ones; "-0" prints as
// "0", and the non-finite values as "NAN", "INF", "-INF".
std::string FloatToStrGeneral(double value, char decimalSeparator);
std::u16string FloatToStrGeneral(double value, char16_t decimalSeparator);
// The General number format's text: the same 15 digits, but the exponent form only where the plain
// form would need more than 15 digits ("0.0000125", "1E-20").
std::u16string FloatToStrPlain(double value, char16_t decimalSeparator);
// The same layout with "." as the point, but with as many significant digits as it takes (at
// most 17) for the text to read back as exactly Value: the form for files another program reads.
std::string FloatToStrRoundTrip(double value);

// Accepts a plain signed decimal (exponent allowed, blanks around it ignored) and rejects the rest,
// grouping and NaN included, so a mistyped amount is refused rather than half read. Overflow
// fails; underflow reads as 0.
bool TryTextToFloat(std::u16string_view text, char16_t decimalSeparator, double& value);

}  // namespace platform
