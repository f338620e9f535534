#pragma once
// The built-in font-metrics table: for common font families, the line height and the average
// digit width in pixels at every point size from 1 to 70. Row heights and headless text
// measuring use it where the platform measures nothing.
#include <array>
#include <cstdint>

namespace workbook {

inline constexpr int kFontMetricsCount = 113;
inline constexpr int kFontMetricsMaxSize = 70;

struct TFontMetrics {
  const char16_t* Name;
  std::uint16_t Height[kFontMetricsMaxSize];  // pixels, index size - 1
  std::uint8_t Width[kFontMetricsMaxSize];    // pixels, index size - 1
};

extern const std::array<TFontMetrics, kFontMetricsCount> kFontMetricsTable;

}  // namespace workbook
