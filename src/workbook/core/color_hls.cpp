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

void ColorToHLS(TColor color, int& h, int& l, int& s) {
  const TColor rgb = OFormat::ColorToRGB(color);
  const int r = GetRValue(rgb), g = GetGValue(rgb), b = GetBValue(rgb);
  const int max = std::max({r, g, b});
  const int min = std::min({r, g, b});
  const int sum = max + min;
  l = (sum * kHLSMax + kRGBMax) / (2 * kRGBMax);
  if (max == min) {
    s = 0;
    h = kUndefinedHue;
    return;
  }
  const int delta = max - min;
  if (l <= kHLSMax / 2)
    s = (delta * kHLSMax + sum / 2) / sum;
  else
    s = (delta * kHLSMax + (2 * kRGBMax - sum) / 2) / (2 * kRGBMax - sum);
  const int rDelta = ((max - r) * (kHLSMax / 6) + delta / 2) / delta;
  const int gDelta = ((max - g) * (kHLSMax / 6) + delta / 2) / delta;
  const int bDelta = ((max - b) * (kHLSMax / 6) + delta / 2) / delta;
  if (r == max)
    h = bDelta - gDelta;
  else if (g == max)
    h = kHLSMax / 3 + rDelta - bDelta;
  else
    h = 2 * kHLSMax / 3 + gDelta - rDelta;
  if (h < 0) h += kHLSMax;
  if (h > kHLSMax) h -= kHLSMax;
}

int HueToRGB(int m1, int m2, int hue) {
  hue %= kHLSMax;
  if (hue < 0) hue += kHLSMax;
  if (hue < kHLSMax / 6) return m1 + ((m2 - m1) * hue + kHLSMax / 12) / (kHLSMax / 6);
  if (hue < kHLSMax / 2) return m2;
  if (hue < kHLSMax * 2 / 3)
    return m1 + ((m2 - m1) * (kHLSMax * 2 / 3 - hue) + kHLSMax / 12) / (kHLSMax / 6);
  return m1;
}

TColor HLSToColor(int h, int l, int s) {
  l = std::clamp(l, 0, kHLSMax);
  s = std::clamp(s, 0, kHLSMax);
  if (s == 0) {
    const int grey = l * kRGBMax / kHLSMax;
    return RGBToColor(grey, grey, grey);
  }
  const int m2 = l <= kHLSMax / 2 ? (l * (kHLSMax + s) + kHLSMax / 2) / kHLSMax
                                  : l + s - (l * s + kHLSMax / 2) / kHLSMax;
  const int m1 = 2 * l - m2;
  auto channel = [&](int hue) {
    return static_cast<uint8_t>(
        std::clamp((HueToRGB(m1, m2, hue) * kRGBMax + kHLSMax / 2) / kHLSMax, 0, kRGBMax));
  };
  return RGBToColor(channel(h + kHLSMax / 3), channel(h), channel(h - kHLSMax / 3));
}

TColor ApplyTint(TColor color, double tint) {
  if (color == clNone || !std::isfinite(tint) || std::fabs(tint) <= 1e-12) return color;
  tint = std::clamp(tint, -1.0, 1.0);
  int h = 0, l = 0, s = 0;
  ColorToHLS(color, h, l, s);
  const double lightness = tint > 0 ? l * (1 - tint) + kHLSMax * tint : l * (1 + tint);
  return HLSToColor(h, static_cast<int>(std::floor(lightness)), s);
}

}  // namespace workbook
