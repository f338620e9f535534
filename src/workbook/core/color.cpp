#include "workbook/core/color.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "workbook/core/oformat.h"

namespace workbook {

uint8_t GetRValue(TColor color) { return static_cast<uint8_t>(color & 0xFF); }
uint8_t GetGValue(TColor color) { return static_cast<uint8_t>((color >> 8) & 0xFF); }
uint8_t GetBValue(TColor color) { return static_cast<uint8_t>((color >> 16) & 0xFF); }

TColor RGBToColor(uint8_t r, uint8_t g, uint8_t b) { return r | (g << 8) | (b << 16); }

std::u16string ColorToARGBHex(TColor color, bool withAlpha) {
  const std::u16string hex = OFormat::ColorToHTMLHex(OFormat::ColorToRGB(color), false);
  return withAlpha ? u"FF" + hex : hex;
}

TColor ARGBHexToColor(std::u16string_view hex) {
  switch (hex.size()) {
    case 8:
      return OFormat::HTMLHexToColor(hex.substr(2));
    case 3:
    case 4:
    case 6:
    case 7:
      return OFormat::HTMLHexToColor(hex);
    default:
      return clNone;
  }
}

int TransparencyToAlpha(int transparency) {
  return (100 - std::clamp(transparency, 0, 100)) * 1000;
}

int AlphaToTransparency(int alpha) {
  // Halves go to the even neighbour, as the platform's rounding does.
  const double opacity = std::nearbyint(alpha / 1000.0);
  return static_cast<int>(std::clamp(100.0 - opacity, 0.0, 100.0));
}

std::u16string TransparencyToODS(int transparency) {
  const std::string text = std::to_string(100 - std::clamp(transparency, 0, 100)) + "%";
  return std::u16string(text.begin(), text.end());
}

}  // namespace workbook
