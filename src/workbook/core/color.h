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

uint8_t GetRValue(TColor color);
uint8_t GetGValue(TColor color);
uint8_t GetBValue(TColor color);
TColor RGBToColor(uint8_t r, uint8_t g, uint8_t b);

// "RRGGBB" in upper-case hexadecimal, with "FF" in front when withAlpha. System colours are
// written as their current RGB value and no colour as black.
std::u16string ColorToARGBHex(TColor color, bool withAlpha);
// 8 characters are ARGB (the alpha pair dropped); 3, 4, 6 or 7 are an HTML colour with an
// optional "#"; any other length gives no colour.
TColor ARGBHexToColor(std::u16string_view hex);

// DrawingML and ODS opacity. transparency is in percent (0 opaque, 100 invisible); DrawingML
// alpha counts opacity in thousandths of a percent.
int TransparencyToAlpha(int transparency);  // Transparency clamped to 0..100
int AlphaToTransparency(int alpha);         // result clamped to 0..100
std::u16string TransparencyToODS(int transparency);

}  // namespace workbook
