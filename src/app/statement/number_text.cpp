#include "app/statement/number_text.h"

#include <charconv>
#include <system_error>

#include "app/statement/errors.h"
#include "platform/format_settings.h"
#include "platform/text_codec.h"

namespace app {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Larger exponents than this overflow or underflow any floating type; capping keeps the
// number text we hand on short.
constexpr long kExponentCap = 100000;

// A number text split into its parts, rebuilt as "-digits.digitsE-exp" for std::from_chars.
struct TNumberParts {
  std::string invariant;
  bool nonzero = false;
  long magnitude = 0;  // decimal exponent of the leading non-zero digit, roughly
};

bool SplitNumber(std::string_view text, char separator, TNumberParts& parts) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && text[i] == ' ') ++i;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') parts.invariant += '-';
    ++i;
  }
  int digits = 0;
  long integer_digits = 0;
  long leading_zero_fraction = 0;
  bool in_fraction = false;
  for (; i < n; ++i) {
    const char c = text[i];
    if (IsDigit(c)) {
      ++digits;
      if (c != '0' && !parts.nonzero) {
        parts.nonzero = true;
        parts.magnitude = in_fraction ? -leading_zero_fraction - 1 : 0;
      }
      if (!in_fraction && parts.nonzero) ++integer_digits;
      if (in_fraction && !parts.nonzero) ++leading_zero_fraction;
      parts.invariant += c;
    } else if (c == separator && !in_fraction) {
      in_fraction = true;
      parts.invariant += '.';
    } else {
      break;
    }
  }
  if (digits == 0) return false;
  if (integer_digits > 0) parts.magnitude = integer_digits - 1;
  if (i < n && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i >= n || !IsDigit(text[i])) return false;
    long exponent = 0;
    for (; i < n && IsDigit(text[i]); ++i)
      exponent = std::min(exponent * 10 + (text[i] - '0'), kExponentCap);
    if (negative) exponent = -exponent;
    parts.invariant += 'e' + std::to_string(exponent);
    parts.magnitude += exponent;
  }
  while (i < n && text[i] == ' ') ++i;
  return i == n;
}

template <typename Float>
bool ConvertParts(std::string_view text, char separator, Float& value) {
  TNumberParts parts;
  if (!SplitNumber(text, separator, parts)) return false;
  const char* first = parts.invariant.data();
  const char* last = first + parts.invariant.size();
  Float result = 0;
  const auto [end, error] = std::from_chars(first, last, result);
  if (error == std::errc::result_out_of_range) {
    // Too small underflows to zero; too large does not convert.
    if (!parts.nonzero || parts.magnitude >= 0) return false;
    result = parts.invariant[0] == '-' ? -Float(0) : Float(0);
  } else if (error != std::errc() || end != last) {
    return false;
  }
  value = result;
  return true;
}

}  // namespace

char DecimalSeparator() {
  const std::string byte =
      platform::Utf16ToCp1250(std::u16string(1, platform::FormatSettings().DecimalSeparator));
  return byte.empty() ? ',' : byte[0];
}

bool TryTextToFloat(std::string_view text, double& value, char decimalSeparator) {
  return ConvertParts(text, decimalSeparator, value);
}

bool TryTextToExtended(std::string_view text, long double& value, char decimalSeparator) {
  return ConvertParts(text, decimalSeparator, value);
}

long double StrToFloat(std::string_view text) {
  long double value = 0;
  if (!TryTextToExtended(text, value, DecimalSeparator()))
    throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
  return value;
}

bool TryStrToInt(std::string_view text, std::int32_t& value) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && text[i] == ' ') ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int base = 10;
  if (i < n && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    base = 16;
    ++i;
  } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == n) return false;
  // Magnitude limits: 2^31 - 1 (2^31 negative) in decimal, any 32 bits in hexadecimal.
  const std::uint64_t limit =
      base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
  std::uint64_t magnitude = 0;
  for (; i < n; ++i) {
    const char c = text[i];
    int digit;
    if (IsDigit(c)) {
      digit = c - '0';
    } else if (base == 16 && c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (base == 16 && c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return false;
    }
    magnitude = magnitude * base + digit;
    if (magnitude > limit) return false;
  }
  std::uint32_t bits = static_cast<std::uint32_t>(magnitude);
  if (negative) bits = 0u - bits;
  value = static_cast<std::int32_t>(bits);
  return true;
}

std::int32_t StrToInt(std::string_view text) {
  std::int32_t value = 0;
  if (!TryStrToInt(text, value))
    throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
  return value;
}

}  // namespace app
