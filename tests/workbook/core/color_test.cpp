#include "workbook/core/color.h"

#include <gtest/gtest.h>

#include <tuple>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <string>

#include "workbook/core/color_hls.h"

namespace workbook {
namespace {

TEST(ColorTest, ARGBHex) {
  const std::tuple<TColor, bool, std::u16string> written[] = {
      {RGBToColor(0x10, 0x20, 0x30), false, u"102030"},
      {0x0000FF, true, u"FFFF0000"},
      // No colour renders as black, system colours as their RGB value.
      {clNone, true, u"FF000000"},
      {static_cast<TColor>(0x80000005u), false, u"FFFFFF"},
      {static_cast<TColor>(0x80000008u), false, u"000000"}};
  for (const auto& [color, withAlpha, hex] : written)
    EXPECT_EQ(ColorToARGBHex(color, withAlpha), hex) << color;
  const std::pair<std::u16string, TColor> read[] = {
      {u"00102030", 0x302010}, {u"ff0000ff", 0xFF0000}, {u"#102030", 0x302010}, {u"0F8", 0x88FF00},
      {u"12345", clNone},      {u"FF10203040", clNone}, {u"FFGG2030", 0x302000}};
  for (const auto& [hex, color] : read)
    EXPECT_EQ(ARGBHexToColor(hex), color) << std::string(hex.begin(), hex.end());
}

TEST(ColorTest, Transparency) {
  const std::pair<int, int> toAlpha[] = {
      {0, 100000}, {25, 75000}, {100, 0}, {255, 0}, {-5, 100000}};
  for (auto [transparency, alpha] : toAlpha)
    EXPECT_EQ(TransparencyToAlpha(transparency), alpha) << transparency;
  const std::pair<int, int> fromAlpha[] = {{75000, 25}, {500, 100},   {1500, 98}, {2500, 98},
                                           {74600, 25}, {-1000, 100}, {250000, 0}};
  for (auto [alpha, transparency] : fromAlpha)
    EXPECT_EQ(AlphaToTransparency(alpha), transparency) << alpha;
  EXPECT_EQ(TransparencyToODS(25), u"75%");
}

TColor Hex(const char* rrggbb) {
  const unsigned long v = std::strtoul(rrggbb, nullptr, 16);
  return RGBToColor((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

int MaxChannelDistance(TColor a, TColor b) {
  return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                   std::abs(GetBValue(a) - GetBValue(b))});
}

std::string HLS(TColor color) {
  int h = -1, l = -1, s = -1;
  ColorToHLS(color, h, l, s);
  return std::to_string(h) + " " + std::to_string(l) + " " + std::to_string(s);
}

TEST(ColorHLSTest, PrimariesAndGreysExactlyBothWays) {
  const std::pair<const char*, const char*> cases[] = {
      {"FF0000", "0 120 240"},   {"FFFF00", "40 120 240"},  {"00FF00", "80 120 240"},
      {"00FFFF", "120 120 240"}, {"0000FF", "160 120 240"}, {"FF00FF", "200 120 240"},
      {"FFFFFF", "160 240 0"},   {"000000", "160 0 0"},     {"808080", "160 120 0"}};
  for (auto [rgb, hls] : cases) {
    EXPECT_EQ(HLS(Hex(rgb)), hls) << rgb;
    int h = 0, l = 0, s = 0;
    ColorToHLS(Hex(rgb), h, l, s);
    // Lightness 120 of 240 is 127.5 levels: the grey comes back as 7F7F7F.
    EXPECT_EQ(HLSToColor(h, l, s), Hex(std::string(rgb) == "808080" ? "7F7F7F" : rgb)) << rgb;
  }
  // No colour is black; a system colour is its RGB value (window: white).
  EXPECT_EQ(HLS(clNone), "160 0 0");
  EXPECT_EQ(HLS(static_cast<TColor>(0x80000005u)), "160 240 0");
}

// References from Python's colorsys.rgb_to_hls scaled by 240, an independent float model: the
// integer model stays within one step of it, and 240 steps holding less than 256 levels per
// channel, the colours come back within two levels.
TEST(ColorHLSTest, WithinOneStepOfFloatModel) {
  const std::tuple<const char*, double, double, double> cases[] = {
      {"4F81BD", 141.82, 126.12, 109.09}, {"C0504D", 1.04, 126.59, 114.52},
      {"9BBB59", 53.06, 129.88, 100.51},  {"8064A2", 178.06, 123.29, 60.0},
      {"4BACC6", 128.46, 128.47, 124.56}, {"F79646", 18.08, 149.18, 220.1},
      {"1F497D", 142.13, 73.41, 144.62},  {"EEECE1", 33.85, 217.88, 66.38},
      {"010203", 140.0, 1.88, 120.0},     {"7F7F80", 160.0, 120.0, 0.94}};
  for (const auto& [rgb, hue, lightness, saturation] : cases) {
    int h = 0, l = 0, s = 0;
    ColorToHLS(Hex(rgb), h, l, s);
    EXPECT_NEAR(h, hue, 1.0) << rgb;
    EXPECT_NEAR(l, lightness, 1.0) << rgb;
    EXPECT_NEAR(s, saturation, 1.0) << rgb;
    EXPECT_LE(MaxChannelDistance(HLSToColor(h, l, s), Hex(rgb)), 2) << rgb;
  }
}

TEST(ColorHLSTest, GreysOutOfRangeInputAndHueSextants) {
  EXPECT_EQ(HLSToColor(0, 300, 240), Hex("FFFFFF"));
  EXPECT_EQ(HLSToColor(0, -20, 240), Hex("000000"));
  EXPECT_EQ(HLSToColor(240, 120, 240), Hex("FF0000"));  // hue 240 is hue 0
  EXPECT_EQ(HLSToColor(-80, 120, 240), Hex("0000FF"));
  std::string levels;
  for (int hue : {0, 20, 40, 119, 140, 160, 260, -220})  // the last two wrapped
    levels += std::to_string(HueToRGB(0, 240, hue)) + " ";
  EXPECT_EQ(levels, "0 120 240 240 120 0 120 120 ");
}

// The tinted theme colours Excel shows in its colour picker (Office 2007 theme); the 240-step
// lightness scale lands on them or within a couple of steps for greys.
TEST(ColorHLSTest, ApplyTintMatchesExcel) {
  const std::tuple<const char*, double, const char*> cases[] = {
      {"4F81BD", 0.7999816888943144, "DBE5F1"},   {"4F81BD", -0.249977111117893, "366092"},
      {"C0504D", -0.499984740745262, "632523"},   {"1F497D", 0.3999755851924192, "538DD5"},
      {"EEECE1", -0.89999084444715716, "1D1B10"}, {"FFFFFF", -0.14999847407452621, "D9D9D9"},
      {"000000", 0.499984740745262, "808080"},    {"000000", 0.049989318521683403, "0D0D0D"}};
  for (const auto& [base, tint, excel] : cases)
    EXPECT_LE(MaxChannelDistance(ApplyTint(Hex(base), tint), Hex(excel)), 2) << base << " " << tint;
}

TEST(ColorHLSTest, ApplyTintLimitsAndSentinels) {
  const TColor blue = Hex("4F81BD");
  EXPECT_EQ(ApplyTint(blue, 1e-13), blue);
  EXPECT_EQ(ApplyTint(clNone, 0.5), clNone);
  EXPECT_EQ(ApplyTint(blue, 7.5), Hex("FFFFFF"));   // clamped to 1
  EXPECT_EQ(ApplyTint(blue, -7.5), Hex("000000"));  // clamped to -1
  EXPECT_EQ(ApplyTint(blue, std::nan("")), blue);
  // A system colour is tinted from its RGB value (button face, C0C0C0).
  EXPECT_EQ(ApplyTint(static_cast<TColor>(0x8000000Fu), -0.5), ApplyTint(Hex("C0C0C0"), -0.5));
}

}  // namespace
}  // namespace workbook
