#pragma once
// The hue-lightness-saturation model on the 0..240 scale of the platform's colour dialog, and
// the theme tints of ECMA-376 that are defined on it.
#include "workbook/core/color.h"

namespace workbook {

// Hue, lightness and saturation 0..240; a grey has saturation 0 and the undefined hue 160.
// System colours are resolved first; no colour counts as black.
void ColorToHLS(TColor Color, int& H, int& L, int& S);
TColor HLSToColor(int H, int L, int S);
// One channel (0..240) of the HLS-to-RGB conversion for a hue, from the two magic values.
int HueToRGB(int M1, int M2, int Hue);

// Lightens (Tint > 0) or darkens (Tint < 0) by the tint's share of the lightness; Tint is
// clamped to -1..1, and 0 (or no colour) leaves the colour as it is.
TColor ApplyTint(TColor Color, double Tint);

}  // namespace workbook
