#include "workbook/model/number_display.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace workbook {

namespace {

constexpr int kSignificantDigits = 15;

std::u16string Widen(const std::string& ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}

// The value's 15 significant digits and the exponent of the first one (value = d.ddd x 10^exp).
void SignificantDigits(double magnitude, std::string& digits, int& exponent) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                              std::chars_format::scientific, kSignificantDigits - 1);
  std::string text(buffer, result.ptr);
  std::size_t e = text.find('e');
  digits = text.substr(0, 1) + text.substr(2, e - 2);
  exponent = std::atoi(text.c_str() + e + 1);
}

// Keeps keep leading digits, rounding half up on the next one; returns True when the rounding
// added a leading digit (999 -> 1000).
bool RoundDigits(std::string& digits, int keep) {
  if (keep >= static_cast<int>(digits.size())) {
    digits.append(keep - digits.size(), '0');
    return false;
  }
  bool up = keep >= 0 && digits[keep] >= '5';
  digits.resize(keep < 0 ? 0 : keep);
  if (!up) return false;
  for (int i = static_cast<int>(digits.size()) - 1; i >= 0; --i) {
    if (digits[i] != '9') {
      ++digits[i];
      return false;
    }
    digits[i] = '0';
  }
  digits.insert(digits.begin(), '1');
  return true;
}

bool AllZeros(const std::string& s) { return s.find_first_not_of('0') == std::string::npos; }

}  // namespace

bool RoundToDecimals(double value, int decimals, TDecimalDigits& out) {
  out = TDecimalDigits();
  if (!std::isfinite(value)) return false;
  if (decimals < 0) decimals = 0;
  double magnitude = std::fabs(value);
  if (magnitude == 0) {
    out.IntPart = "0";
    out.FracPart.assign(decimals, '0');
    return true;
  }
  std::string digits;
  int exponent;
  SignificantDigits(magnitude, digits, exponent);
  int intDigits = exponent + 1;  // digits in front of the decimal point (may be <= 0)
  int keep = intDigits + decimals;
  if (keep < 0) {
    digits.clear();
    intDigits = -decimals;
  } else if (RoundDigits(digits, keep)) {
    ++intDigits;
  }
  if (intDigits <= 0) {
    out.IntPart = "0";
    out.FracPart = std::string(-intDigits, '0') + digits;
  } else {
    out.IntPart = digits.substr(0, intDigits);
    out.FracPart = digits.substr(intDigits);
  }
  out.FracPart.resize(decimals, '0');
  out.Negative = value < 0 && !(AllZeros(out.IntPart) && AllZeros(out.FracPart));
  return true;
}

std::u16string NonFiniteText(double value) {
  if (std::isnan(value)) return u"NAN";
  return value < 0 ? u"-INF" : u"INF";
}

std::u16string GroupDigits(const std::string& intPart, char16_t separator) {
  std::u16string result;
  std::size_t n = intPart.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (separator != 0 && i > 0 && (n - i) % 3 == 0) result += separator;
    result += static_cast<char16_t>(intPart[i]);
  }
  return result;
}

std::u16string FormatFixedText(double value, int decimals, int minIntegerDigits,
                               char16_t decimalSeparator, char16_t groupSeparator) {
  TDecimalDigits d;
  if (!RoundToDecimals(value, decimals, d)) return NonFiniteText(value);
  std::string intPart = d.IntPart;
  if (minIntegerDigits <= 0 && intPart == "0") intPart.clear();
  if (static_cast<int>(intPart.size()) < minIntegerDigits)
    intPart.insert(0, minIntegerDigits - intPart.size(), '0');
  std::u16string text = d.Negative ? u"-" : u"";
  text += GroupDigits(intPart, groupSeparator);
  if (!d.FracPart.empty()) text += decimalSeparator + Widen(d.FracPart);
  return text;
}

std::u16string FormatScientificText(double value, int decimals, int minIntegerDigits,
                                    int exponentDigits, char16_t decimalSeparator,
                                    char16_t groupSeparator) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  const bool general = decimals == 255;
  if (decimals < 0 || (general && value == 0)) decimals = 0;
  std::string digits = "0";
  int exponent = 0;
  if (value != 0) {
    SignificantDigits(std::fabs(value), digits, exponent);
    if (general) {
      digits.erase(digits.find_last_not_of('0') + 1);  // the first digit is not 0
      decimals = static_cast<int>(digits.size()) - 1;
    } else if (RoundDigits(digits, 1 + decimals)) {
      ++exponent;  // 9.996 -> 10.00 becomes 1.00 one power up
      digits.pop_back();
    }
  } else {
    digits.append(decimals, '0');
  }
  std::string intPart = digits.substr(0, 1);
  if (static_cast<int>(intPart.size()) < minIntegerDigits)
    intPart.insert(0, minIntegerDigits - intPart.size(), '0');
  std::u16string text = value < 0 ? u"-" : u"";
  text += GroupDigits(intPart, groupSeparator);
  if (decimals > 0) text += decimalSeparator + Widen(digits.substr(1));
  text += exponent < 0 ? u"E-" : u"E+";
  std::string expText = std::to_string(std::abs(exponent));
  if (static_cast<int>(expText.size()) < exponentDigits)
    expText.insert(0, exponentDigits - expText.size(), '0');
  return text + Widen(expText);
}

void BestFraction(double fraction, std::int64_t maxDenominator, std::int64_t& numerator,
                  std::int64_t& denominator) {
  numerator = 0;
  denominator = 1;
  if (!(fraction > 0) || fraction >= 1 || maxDenominator < 1) return;
  // Convergents h/k of the continued fraction; the expansion ends when the remainder is 0.
  std::int64_t h0 = 0, k0 = 1, h1 = 1, k1 = 0;
  double x = fraction;
  for (int step = 0; step < 64; ++step) {
    double a = std::floor(x);
    if (a > 1e15) break;
    std::int64_t ai = static_cast<std::int64_t>(a);
    std::int64_t h = ai * h1 + h0;
    std::int64_t k = ai * k1 + k0;
    if (k > maxDenominator) break;
    numerator = h;
    denominator = k;
    h0 = h1;
    k0 = k1;
    h1 = h;
    k1 = k;
    double rest = x - a;
    if (rest < 1e-12) break;
    x = 1 / rest;
  }
}

std::u16string FormatFractionText(double value, int fractionDigits, char16_t groupSeparator) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  if (fractionDigits < 1) fractionDigits = 1;
  if (fractionDigits > 9) fractionDigits = 9;
  std::int64_t maxDenominator = 1;
  for (int i = 0; i < fractionDigits; ++i) maxDenominator *= 10;
  --maxDenominator;
  double magnitude = std::fabs(value);
  double whole = std::floor(magnitude);
  std::int64_t numerator, denominator;
  BestFraction(magnitude - whole, maxDenominator, numerator, denominator);
  if (numerator != 0 && numerator == denominator) {  // 0.9999 with one digit is a whole 1
    whole += 1;
    numerator = 0;
  }
  TDecimalDigits d;
  RoundToDecimals(whole, 0, d);
  bool hasWhole = d.IntPart != "0";
  std::u16string text = value < 0 && (hasWhole || numerator != 0) ? u"-" : u"";
  if (hasWhole || numerator == 0) text += GroupDigits(d.IntPart, groupSeparator);
  if (numerator != 0) {
    if (hasWhole) text += u' ';
    text += Widen(std::to_string(numerator) + "/" + std::to_string(denominator));
  }
  return text;
}

}  // namespace workbook
