#include "platform/float_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

namespace platform {
namespace {

constexpr int kPrecision = 15;

// Significant digits of |Value| (> 0) without trailing zeros, and the position of the decimal
// point relative to them (Value = 0.DIGITS * 10^Point).
struct TDecimal {
  std::string digits;
  int point = 0;
};

// The digits and the point of to_chars' scientific form ("d.ddde+x").
TDecimal ScientificDigits(const char* begin, const char* end) {
  TDecimal result;
  const char* p = begin;
  for (; p < end && *p != 'e'; ++p)
    if (*p != '.') result.digits.push_back(*p);
  int exponent = 0;
  ++p;  // "e"
  if (p < end && *p == '+') ++p;
  std::from_chars(p, end, exponent);
  result.point = exponent + 1;
  return result;
}

void DropTrailingZeros(TDecimal& decimal) {
  while (decimal.digits.size() > 1 && decimal.digits.back() == '0') decimal.digits.pop_back();
}

// The 15 significant digits of |Value|, rounded half away from zero.
TDecimal ToDecimal(double value) {
  // 41 correctly rounded digits decide the 15th digit's rounding exactly: a double lies either
  // on a 16-digit tie or at least ~1E-32 (relative) away from it.
  std::array<char, 64> buffer{};
  auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                                 std::chars_format::scientific, 40);
  (void)ec;  // the buffer is large enough for any double
  const TDecimal all = ScientificDigits(buffer.data(), end);

  TDecimal result;
  result.digits = all.digits.substr(0, kPrecision);
  result.point = all.point;
  if (all.digits[kPrecision] >= '5') {
    int i = kPrecision - 1;
    while (i >= 0 && result.digits[i] == '9') result.digits[i--] = '0';
    if (i >= 0) {
      ++result.digits[i];
    } else {
      result.digits.insert(result.digits.begin(), '1');
      result.digits.pop_back();
      ++result.point;
    }
  }
  DropTrailingZeros(result);
  return result;
}

// The fewest digits that read back as exactly |Value|.
TDecimal ToShortestDecimal(double value) {
  std::array<char, 32> buffer{};
  auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                                 std::chars_format::scientific);
  (void)ec;  // the buffer is large enough for any double
  TDecimal result = ScientificDigits(buffer.data(), end);
  DropTrailingZeros(result);
  return result;
}

// Where the exponent form takes over from plain digits.
enum class TExponentRule {
  // Beyond 15 digits before the point or more than three zeros after it.
  Compact,
  // Only where the plain form would need more than 15 digits.
  Plain,
};

bool UsesExponent(const TDecimal& d, TExponentRule rule) {
  if (d.point > kPrecision) return true;
  if (rule == TExponentRule::Compact) return d.point < -3;
  return d.point <= 0 && static_cast<int>(d.digits.size()) - d.point > kPrecision;
}

std::string Layout(const TDecimal& d, bool negative, char decimalSeparator,
                   TExponentRule rule = TExponentRule::Compact) {
  std::string text = negative ? "-" : "";
  const int n = static_cast<int>(d.digits.size());
  if (UsesExponent(d, rule)) {
    text += d.digits[0];
    if (n > 1) {
      text += decimalSeparator;
      text.append(d.digits, 1);
    }
    text += 'E';
    text += std::to_string(d.point - 1);
  } else if (d.point <= 0) {
    text += '0';
    text += decimalSeparator;
    text.append(static_cast<std::size_t>(-d.point), '0');
    text += d.digits;
  } else if (n <= d.point) {
    text += d.digits;
    text.append(static_cast<std::size_t>(d.point - n), '0');
  } else {
    text.append(d.digits, 0, static_cast<std::size_t>(d.point));
    text += decimalSeparator;
    text.append(d.digits, static_cast<std::size_t>(d.point));
  }
  return text;
}

// Whether a number in from_chars form ([-]digits[.digits][e[-]digits]) lies below 1 in magnitude,
// judged from the position of its first significant digit.
bool IsBelowOne(const std::string& number) {
  const std::size_t e = number.find('e');
  const std::string mantissa = number.substr(0, e);
  long long exponent = 0;
  if (e != std::string::npos) {
    std::size_t k = e + 1;
    const bool negative = k < number.size() && number[k] == '-';
    if (negative) ++k;
    for (; k < number.size(); ++k)
      exponent = std::min<long long>(exponent * 10 + (number[k] - '0'), 1'000'000'000);
    if (negative) exponent = -exponent;
  }
  const std::size_t point = mantissa.find('.');
  const long long intDigits = static_cast<long long>(
      (point == std::string::npos ? mantissa.size() : point) - (mantissa[0] == '-' ? 1 : 0));
  long long position = 0;  // among the mantissa's digits
  for (char c : mantissa) {
    if (c == '-' || c == '.') continue;
    if (c != '0') break;
    ++position;
  }
  return intDigits - 1 - position + exponent < 0;
}

// An ASCII number text with "." as the point, widened with decimalSeparator in its place.
std::u16string Widened(const std::string& text, char16_t decimalSeparator) {
  std::u16string result;
  result.reserve(text.size());
  for (char c : text) result.push_back(c == '.' ? decimalSeparator : char16_t(c));
  return result;
}

}  // namespace

std::string FloatToStrGeneral(double value, char decimalSeparator) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";
  return Layout(ToDecimal(value), value < 0, decimalSeparator);
}

std::u16string FloatToStrPlain(double value, char16_t decimalSeparator) {
  if (!std::isfinite(value) || value == 0) return FloatToStrGeneral(value, decimalSeparator);
  return Widened(Layout(ToDecimal(value), value < 0, '.', TExponentRule::Plain), decimalSeparator);
}

std::string FloatToStrRoundTrip(double value) {
  if (!std::isfinite(value) || value == 0) return FloatToStrGeneral(value, '.');
  return Layout(ToShortestDecimal(value), value < 0, '.');
}

std::u16string FloatToStrGeneral(double value, char16_t decimalSeparator) {
  return Widened(FloatToStrGeneral(value, '.'), decimalSeparator);
}

bool TryTextToFloat(std::u16string_view text, char16_t decimalSeparator, double& value) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  auto isDigit = [&](std::size_t k) { return k < n && text[k] >= u'0' && text[k] <= u'9'; };

  while (i < n && text[i] == u' ') ++i;
  // The number is copied in the form from_chars reads: no "+", "." as the point.
  std::string number;
  if (i < n && (text[i] == u'+' || text[i] == u'-')) {
    if (text[i] == u'-') number.push_back('-');
    ++i;
  }
  bool anyDigit = false;
  for (; isDigit(i); ++i, anyDigit = true) number.push_back(static_cast<char>(text[i]));
  if (i < n && text[i] == decimalSeparator) {
    number.push_back('.');
    for (++i; isDigit(i); ++i, anyDigit = true) number.push_back(static_cast<char>(text[i]));
  }
  if (!anyDigit) return false;
  if (i < n && (text[i] == u'E' || text[i] == u'e')) {
    number.push_back('e');
    ++i;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
      if (text[i] == u'-') number.push_back('-');
      ++i;
    }
    if (!isDigit(i)) return false;
    for (; isDigit(i); ++i) number.push_back(static_cast<char>(text[i]));
  }
  while (i < n && text[i] == u' ') ++i;
  if (i != n) return false;

  double parsed = 0;
  auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), parsed);
  if (ec == std::errc::result_out_of_range) {
    // Too large fails; too small is zero.
    if (!IsBelowOne(number)) return false;
    parsed = 0;
  } else if (ec != std::errc() || end != number.data() + number.size()) {
    return false;
  }
  value = parsed;
  return true;
}

}  // namespace platform
