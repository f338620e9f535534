#include "workbook/core/color_hls.h"

#include <algorithm>
#include <cmath>

#include "workbook/core/oformat.h"

namespace workbook {

namespace {

constexpr int kHLSMax = 240;
constexpr int kRGBMax = 255;
constexpr int kUndefinedHue = kHLSMax * 2 / 3;

}  // namespace

void ColorToHLS(TColor Color, int& H, int& L, int& S) {
  const TColor rgb = OFormat::ColorToRGB(Color);
  const int r = GetRValue(rgb), g = GetGValue(rgb), b = GetBValue(rgb);
  const int max = std::max({r, g, b});
  const int min = std::min({r, g, b});
  const int sum = max + min;
  L = (sum * kHLSMax + kRGBMax) / (2 * kRGBMax);
  if (max == min) {
    S = 0;
    H = kUndefinedHue;
    return;
  }
  const int delta = max - min;
  if (L <= kHLSMax / 2)
    S = (delta * kHLSMax + sum / 2) / sum;
  else
    S = (delta * kHLSMax + (2 * kRGBMax - sum) / 2) / (2 * kRGBMax - sum);
  const int rDelta = ((max - r) * (kHLSMax / 6) + delta / 2) / delta;
  const int gDelta = ((max - g) * (kHLSMax / 6) + delta / 2) / delta;
  const int bDelta = ((max - b) * (kHLSMax / 6) + delta / 2) / delta;
  if (r == max)
    H = bDelta - gDelta;
  else if (g == max)
    H = kHLSMax / 3 + rDelta - bDelta;
  else
    H = 2 * kHLSMax / 3 + gDelta - rDelta;
  if (H < 0) H += kHLSMax;
  if (H > kHLSMax) H -= kHLSMax;
}

int HueToRGB(int M1, int M2, int Hue) {
  Hue %= kHLSMax;
  if (Hue < 0) Hue += kHLSMax;
  if (Hue < kHLSMax / 6) return M1 + ((M2 - M1) * Hue + kHLSMax / 12) / (kHLSMax / 6);
  if (Hue < kHLSMax / 2) return M2;
  if (Hue < kHLSMax * 2 / 3)
    return M1 + ((M2 - M1) * (kHLSMax * 2 / 3 - Hue) + kHLSMax / 12) / (kHLSMax / 6);
  return M1;
}

TColor HLSToColor(int H, int L, int S) {
  L = std::clamp(L, 0, kHLSMax);
  S = std::clamp(S, 0, kHLSMax);
  if (S == 0) {
    const int grey = L * kRGBMax / kHLSMax;
    return RGBToColor(grey, grey, grey);
  }
  const int m2 = L <= kHLSMax / 2 ? (L * (kHLSMax + S) + kHLSMax / 2) / kHLSMax
                                  : L + S - (L * S + kHLSMax / 2) / kHLSMax;
  const int m1 = 2 * L - m2;
  auto channel = [&](int hue) {
    return static_cast<uint8_t>(
        std::clamp((HueToRGB(m1, m2, hue) * kRGBMax + kHLSMax / 2) / kHLSMax, 0, kRGBMax));
  };
  return RGBToColor(channel(H + kHLSMax / 3), channel(H), channel(H - kHLSMax / 3));
}

TColor ApplyTint(TColor Color, double Tint) {
  if (Color == clNone || !std::isfinite(Tint) || std::fabs(Tint) <= 1e-12) return Color;
  Tint = std::clamp(Tint, -1.0, 1.0);
  int h = 0, l = 0, s = 0;
  ColorToHLS(Color, h, l, s);
  const double lightness = Tint > 0 ? l * (1 - Tint) + kHLSMax * Tint : l * (1 + Tint);
  return HLSToColor(h, static_cast<int>(std::floor(lightness)), s);
}

}  // namespace workbook
