#pragma once
// Decimal integers in key strings: locale-independent, ASCII digits as UTF-16.
#include <cstdint>
#include <string>

namespace workbook {

inline void AppendKeyInt(std::u16string& key, std::int64_t value) {
  const std::string digits = std::to_string(value);
  key.append(digits.begin(), digits.end());
}

}  // namespace workbook
