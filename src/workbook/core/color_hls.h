#pragma once
// The hue-lightness-saturation model on the 0..240 scale of the platform's colour dialog, and
// the theme tints of ECMA-376 that are defined on it.
#include "workbook/core/color.h"

namespace workbook {

// Hue, lightness and saturation 0..240; a grey has saturation 0 and the undefined hue 160.
// System colours are resolved first; no colour counts as black.
void ColorToHLS(TColor color, int& h, int& l, int& s);
TColor HLSToColor(int h, int l, int s);
// One channel (0..240) of the HLS-to-RGB conversion for a hue, from the two magic values.
int HueToRGB(int m1, int m2, int hue);

// Lightens (tint > 0) or darkens (tint < 0) by the tint's share of the lightness; tint is
// clamped to -1..1, and 0 (or no colour) leaves the colour as it is.
TColor ApplyTint(TColor color, double tint);

}  // namespace workbook
