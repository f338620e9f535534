#include "workbook/core/color.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "workbook/core/oformat.h"

namespace workbook {

uint8_t GetRValue(TColor Color) { return static_cast<uint8_t>(Color & 0xFF); }
uint8_t GetGValue(TColor Color) { return static_cast<uint8_t>((Color >> 8) & 0xFF); }
uint8_t GetBValue(TColor Color) { return static_cast<uint8_t>((Color >> 16) & 0xFF); }

TColor RGBToColor(uint8_t R, uint8_t G, uint8_t B) { return R | (G << 8) | (B << 16); }

std::u16string ColorToARGBHex(TColor Color, bool WithAlpha) {
  const std::u16string hex = OFormat::ColorToHTMLHex(OFormat::ColorToRGB(Color), false);
  return WithAlpha ? u"FF" + hex : hex;
}

TColor ARGBHexToColor(std::u16string_view Hex) {
  switch (Hex.size()) {
    case 8:
      return OFormat::HTMLHexToColor(Hex.substr(2));
    case 3:
    case 4:
    case 6:
    case 7:
      return OFormat::HTMLHexToColor(Hex);
    default:
      return clNone;
  }
}

int TransparencyToAlpha(int Transparency) {
  return (100 - std::clamp(Transparency, 0, 100)) * 1000;
}

int AlphaToTransparency(int Alpha) {
  // Halves go to the even neighbour, as the platform's rounding does.
  const double opacity = std::nearbyint(Alpha / 1000.0);
  return static_cast<int>(std::clamp(100.0 - opacity, 0.0, 100.0));
}

std::u16string TransparencyToODS(int Transparency) {
  const std::string text = std::to_string(100 - std::clamp(Transparency, 0, 100)) + "%";
  return std::u16string(text.begin(), text.end());
}

}  // namespace workbook
