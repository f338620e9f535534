#include "app/statement/sum_texts.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "platform/format_settings.h"

namespace app {
namespace {

// The magnitude with the decimals, the digits grouped by the thousands separator when given;
// empty for a sum of more than 15 digits before the point.
std::u16string FixedDigits(long double value, int decimals, char16_t thousands) {
  const double magnitude = static_cast<double>(std::fabs(value));
  if (!(magnitude < 1e15)) return u"";  // NaN too
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::fixed,
                              std::clamp(decimals, 0, 20));
  if (result.ec != std::errc()) return u"";
  const std::string digits(buffer, result.ptr);
  const std::size_t point = std::min(digits.find('.'), digits.size());
  std::u16string text;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i == point) {
      text += platform::FormatSettings().DecimalSeparator;
      continue;
    }
    if (i > 0 && i < point && (point - i) % 3 == 0 && thousands != 0) text += thousands;
    text += static_cast<char16_t>(digits[i]);
  }
  return text;
}

// A sum that rounds to zero shows no sign.
bool Negative(const std::u16string& digits, long double value) {
  return value < 0 && digits.find_first_of(u"123456789") != std::u16string::npos;
}

}  // namespace

std::u16string CurrencyText(long double value) {
  const auto& formats = platform::FormatSettings();
  std::u16string digits = FixedDigits(value, formats.CurrencyDecimals, formats.ThousandSeparator);
  if (digits.empty()) return std::u16string(kSumOutOfRange);
  std::u16string text = digits + u' ' + formats.CurrencyString;
  return Negative(digits, value) ? u"-" + text : text;
}

std::u16string QuantityText(long double value) {
  std::u16string digits = FixedDigits(value, 2, 0);
  if (digits.empty()) return std::u16string(kSumOutOfRange);
  return Negative(digits, value) ? u"-" + digits : digits;
}

std::u16string SumText(std::string_view key, long double value) {
  return key == "A2-Mn" || key == "C1-Mn" ? QuantityText(value) : CurrencyText(value);
}

}  // namespace app
