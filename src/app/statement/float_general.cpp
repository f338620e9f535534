#include "app/statement/float_general.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace app {

namespace {

constexpr int kPrecision = 15;

}  // namespace

std::string FloatToStrGeneral(double value, char decimal_separator) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";  // negative zero too

  // d.dddddddddddddde+XX: the value rounded to 15 significant digits.
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                    std::chars_format::scientific, kPrecision - 1);
  const std::string_view text(buffer, result.ptr - buffer);
  const std::size_t e = text.find('e');
  std::string digits = std::string(text.substr(0, 1)) + std::string(text.substr(2, e - 2));
  const int exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out = value < 0 ? "-" : "";
  // The run-time counts the exponent of 0.ddd; ours is that of d.ddd.
  if (exponent + 1 > kPrecision || exponent + 1 < -3) {
    out += digits[0];
    if (digits.size() > 1) out += decimal_separator + digits.substr(1);
    out += 'E';
    out += std::to_string(exponent);
  } else if (exponent >= 0) {
    const std::size_t integer_digits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= integer_digits) {
      out += digits + std::string(integer_digits - digits.size(), '0');
    } else {
      out += digits.substr(0, integer_digits) + decimal_separator + digits.substr(integer_digits);
    }
  } else {
    out += '0';
    out += decimal_separator;
    out += std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
  }
  return out;
}

}  // namespace app
