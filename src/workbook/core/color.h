#pragma once
// Colours as the model stores them: red in the low byte. Two values out of RGB range carry meaning:
// clNone (0x1FFFFFFF) for "no colour", and negatives for the desktop's own system colours.
#include <cstdint>
#include <string>
#include <string_view>

namespace workbook {

using TColor = int32_t;

inline constexpr TColor clNone = 0x1FFFFFFF;
// Marks the XLSX "gray125" pattern fill, which has no colour of its own.
inline constexpr TColor clGray125Fill = static_cast<TColor>(0xFF00000Fu);

uint8_t GetRValue(TColor Color);
uint8_t GetGValue(TColor Color);
uint8_t GetBValue(TColor Color);
TColor RGBToColor(uint8_t R, uint8_t G, uint8_t B);

// "RRGGBB" in upper-case hexadecimal, with "FF" in front when WithAlpha. System colours are
// written as their current RGB value and no colour as black.
std::u16string ColorToARGBHex(TColor Color, bool WithAlpha);
// 8 characters are ARGB (the alpha pair dropped); 3, 4, 6 or 7 are an HTML colour with an
// optional "#"; any other length gives no colour.
TColor ARGBHexToColor(std::u16string_view Hex);

// DrawingML and ODS opacity. Transparency is in percent (0 opaque, 100 invisible); DrawingML
// alpha counts opacity in thousandths of a percent.
int TransparencyToAlpha(int Transparency);  // Transparency clamped to 0..100
int AlphaToTransparency(int Alpha);         // result clamped to 0..100
std::u16string TransparencyToODS(int Transparency);

}  // namespace workbook
