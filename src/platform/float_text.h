#pragma once
// The run-time's number texts, independent of the C and C++ locale: the general form with 15
// significant digits (FloatToStr) and the strict parse (StrToFloat).
#include <string>
#include <string_view>

namespace platform {

// Up to 15 significant digits, trailing zeros dropped, no grouping. Fixed notation while the
// value has at most 15 digits before the point and is at least 0.0001 in magnitude; otherwise
// exponent notation with a mantissa of one digit before the point and an exponent without
// leading zeros or plus sign ("1E15", "1.5E-5"). Negative zero gives "0"; NaN and the infinities
// give "NAN", "INF" and "-INF".
std::string FloatToStrGeneral(double value, char decimalSeparator);
std::u16string FloatToStrGeneral(double value, char16_t decimalSeparator);

// Optional blanks, an optional sign, digits with at most one DecimalSeparator (at least one
// digit in all), an optional exponent ("E" or "e", optional sign, digits), optional blanks;
// nothing else (no grouping, no NaN or infinity). A value beyond the double range fails; one
// too small for it reads as 0.
bool TryTextToFloat(std::u16string_view text, char16_t decimalSeparator, double& value);

}  // namespace platform
