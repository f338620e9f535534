#include "app/statement/amount_text.h"

#include <charconv>
#include <cmath>

namespace app {

std::string AmountText(double value, char decimalSeparator) {
  // The longest: 309 digits before the point of the largest double, or 2 + 324 of the smallest.
  char buffer[400];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed);
  std::string digits(buffer, result.ptr);

  const std::size_t point = digits.find('.');
  if (point != std::string::npos && digits.size() > point + 3) {
    const bool up = digits[point + 3] >= '5';
    digits.resize(point + 3);
    if (up) {
      std::size_t i = digits.size();
      while (i > 0 && (digits[i - 1] == '9' || digits[i - 1] == '.')) {
        if (digits[i - 1] == '9') digits[i - 1] = '0';
        --i;
      }
      if (i == 0) {
        digits.insert(digits.begin(), '1');
      } else {
        ++digits[i - 1];
      }
    }
  }
  if (point != std::string::npos) {
    digits.erase(digits.find_last_not_of('0') + 1);
    if (digits.back() == '.') digits.pop_back();
  }
  const bool zero = digits == "0";
  const std::size_t separator = digits.find('.');
  if (separator != std::string::npos) digits[separator] = decimalSeparator;
  return value < 0 && !zero ? "-" + digits : digits;
}

}  // namespace app
