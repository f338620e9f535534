#include "app/statement/sum_texts.h"

#include <charconv>
#include <cmath>

#include "platform/format_settings.h"

namespace app {
namespace {

// The magnitude with the decimals, the digits grouped by the thousands separator when given.
std::u16string FixedDigits(long double value, int decimals, char16_t thousands) {
  char buffer[64];
  const double magnitude = static_cast<double>(std::fabs(value));
  auto result =
      std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::fixed, decimals);
  std::string digits(buffer, result.ptr);
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
  std::u16string text = digits + u' ' + formats.CurrencyString;
  return Negative(digits, value) ? u"-" + text : text;
}

std::u16string QuantityText(long double value) {
  std::u16string digits = FixedDigits(value, 2, 0);
  return Negative(digits, value) ? u"-" + digits : digits;
}

std::u16string SumText(std::string_view key, long double value) {
  return key == "A2-Mn" || key == "C1-Mn" ? QuantityText(value) : CurrencyText(value);
}

}  // namespace app
