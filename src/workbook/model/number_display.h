#pragma once
// Display texts of numbers as a number format shows them: fixed decimals with grouping, a padded
// integer part, scientific mantissa and exponent, and fractions. Rounding works on the decimal
// digits (15 significant, as the spreadsheet programs keep them), so a carry always reaches the
// integer part and the exponent.
#include <cstdint>
#include <string>

namespace workbook {

// The decimal form of a finite value rounded to a number of decimals.
struct TDecimalDigits {
  bool Negative = false;
  std::string IntPart;   // at least "0"
  std::string FracPart;  // exactly the requested number of decimals
};

// False for infinities and NaN (digits is then left empty).
bool RoundToDecimals(double value, int decimals, TDecimalDigits& digits);

// The text shown for a value that is no finite number: "INF", "-INF" or "NAN".
std::u16string NonFiniteText(double value);

// Groups an integer digit run by three with separator (none when 0).
std::u16string GroupDigits(const std::string& intPart, char16_t separator);

// Fixed decimals; the integer part padded with zeros to minIntegerDigits, then grouped.
std::u16string FormatFixedText(double value, int decimals, int minIntegerDigits,
                               char16_t decimalSeparator, char16_t groupSeparator);

// Mantissa with 1 <= |m| < 10 in fixed decimals (255: general, as many as its 15 significant
// digits need), then "E", the sign and the exponent padded to exponentDigits.
std::u16string FormatScientificText(double value, int decimals, int minIntegerDigits,
                                    int exponentDigits, char16_t decimalSeparator,
                                    char16_t groupSeparator);

// Integer part, a space, numerator "/" denominator, the denominator at most 10^fractionDigits - 1.
std::u16string FormatFractionText(double value, int fractionDigits, char16_t groupSeparator);

// Best fraction numerator/denominator of 0 <= fraction < 1 with denominator <= maxDenominator,
// from the continued-fraction convergents.
void BestFraction(double fraction, std::int64_t maxDenominator, std::int64_t& numerator,
                  std::int64_t& denominator);

}  // namespace workbook
