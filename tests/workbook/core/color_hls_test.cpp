#include "workbook/core/color_hls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace workbook {
namespace {

TColor Hex(const char* rrggbb) {
  const unsigned long v = std::strtoul(rrggbb, nullptr, 16);
  return RGBToColor((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

int MaxChannelDistance(TColor a, TColor b) {
  return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                   std::abs(GetBValue(a) - GetBValue(b))});
}

struct HLSCase {
  TColor color;
  int h, l, s;
};

class ColorToHLSExactTest : public testing::TestWithParam<HLSCase> {};

TEST_P(ColorToHLSExactTest, PrimariesAndGreys) {
  int h = -1, l = -1, s = -1;
  ColorToHLS(GetParam().color, h, l, s);
  EXPECT_EQ(h, GetParam().h);
  EXPECT_EQ(l, GetParam().l);
  EXPECT_EQ(s, GetParam().s);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ColorToHLSExactTest,
    testing::Values(HLSCase{Hex("FF0000"), 0, 120, 240}, HLSCase{Hex("FFFF00"), 40, 120, 240},
                    HLSCase{Hex("00FF00"), 80, 120, 240}, HLSCase{Hex("00FFFF"), 120, 120, 240},
                    HLSCase{Hex("0000FF"), 160, 120, 240}, HLSCase{Hex("FF00FF"), 200, 120, 240},
                    HLSCase{Hex("FFFFFF"), 160, 240, 0}, HLSCase{Hex("000000"), 160, 0, 0},
                    HLSCase{Hex("808080"), 160, 120, 0},
                    // No colour is black; a system colour is its RGB value (window: white).
                    HLSCase{clNone, 160, 0, 0},
                    HLSCase{static_cast<TColor>(0x80000005u), 160, 240, 0}));

// References from Python's colorsys.rgb_to_hls scaled by 240, an independent float model; the
// integer model stays within one step of it.
struct HLSReference {
  const char* rgb;
  double h, l, s;
};

class ColorToHLSReferenceTest : public testing::TestWithParam<HLSReference> {};

TEST_P(ColorToHLSReferenceTest, WithinOneStepOfFloatModel) {
  int h = 0, l = 0, s = 0;
  ColorToHLS(Hex(GetParam().rgb), h, l, s);
  EXPECT_NEAR(h, GetParam().h, 1.0);
  EXPECT_NEAR(l, GetParam().l, 1.0);
  EXPECT_NEAR(s, GetParam().s, 1.0);
}

INSTANTIATE_TEST_SUITE_P(Table, ColorToHLSReferenceTest,
                         testing::Values(HLSReference{"4F81BD", 141.82, 126.12, 109.09},
                                         HLSReference{"C0504D", 1.04, 126.59, 114.52},
                                         HLSReference{"9BBB59", 53.06, 129.88, 100.51},
                                         HLSReference{"8064A2", 178.06, 123.29, 60.0},
                                         HLSReference{"4BACC6", 128.46, 128.47, 124.56},
                                         HLSReference{"F79646", 18.08, 149.18, 220.1},
                                         HLSReference{"1F497D", 142.13, 73.41, 144.62},
                                         HLSReference{"EEECE1", 33.85, 217.88, 66.38}));

TEST(HLSToColorTest, RoundTripsPrimariesExactly) {
  for (const char* rgb :
       {"FF0000", "00FF00", "0000FF", "FFFF00", "00FFFF", "FF00FF", "FFFFFF", "000000"}) {
    int h = 0, l = 0, s = 0;
    ColorToHLS(Hex(rgb), h, l, s);
    EXPECT_EQ(HLSToColor(h, l, s), Hex(rgb)) << rgb;
  }
}

// 240 steps hold less than 256 levels per channel: other colours come back within a step.
TEST(HLSToColorTest, RoundTripsThemeColoursWithinAStep) {
  for (const char* rgb : {"4F81BD", "C0504D", "9BBB59", "8064A2", "4BACC6", "F79646", "1F497D",
                          "EEECE1", "010203", "7F7F80"}) {
    int h = 0, l = 0, s = 0;
    ColorToHLS(Hex(rgb), h, l, s);
    EXPECT_LE(MaxChannelDistance(HLSToColor(h, l, s), Hex(rgb)), 2) << rgb;
  }
}

TEST(HLSToColorTest, GreysAndOutOfRangeInput) {
  EXPECT_EQ(HLSToColor(160, 120, 0), Hex("7F7F7F"));
  EXPECT_EQ(HLSToColor(0, 240, 0), Hex("FFFFFF"));
  EXPECT_EQ(HLSToColor(0, 300, 240), Hex("FFFFFF"));
  EXPECT_EQ(HLSToColor(0, -20, 240), Hex("000000"));
  EXPECT_EQ(HLSToColor(240, 120, 240), Hex("FF0000"));  // hue 240 is hue 0
  EXPECT_EQ(HLSToColor(-80, 120, 240), Hex("0000FF"));
}

TEST(HueToRGBTest, Sextants) {
  EXPECT_EQ(HueToRGB(0, 240, 0), 0);
  EXPECT_EQ(HueToRGB(0, 240, 20), 120);
  EXPECT_EQ(HueToRGB(0, 240, 40), 240);
  EXPECT_EQ(HueToRGB(0, 240, 119), 240);
  EXPECT_EQ(HueToRGB(0, 240, 140), 120);
  EXPECT_EQ(HueToRGB(0, 240, 160), 0);
  EXPECT_EQ(HueToRGB(0, 240, 260), 120);  // wrapped
  EXPECT_EQ(HueToRGB(0, 240, -220), 120);
}

// The tinted theme colours Excel shows in its colour picker (Office 2007 theme); the 240-step
// lightness scale lands on them or within a couple of steps for greys.
struct TintCase {
  const char* base;
  double tint;
  const char* excel;
};

class ApplyTintTest : public testing::TestWithParam<TintCase> {};

TEST_P(ApplyTintTest, MatchesExcel) {
  EXPECT_LE(
      MaxChannelDistance(ApplyTint(Hex(GetParam().base), GetParam().tint), Hex(GetParam().excel)),
      2);
}

INSTANTIATE_TEST_SUITE_P(Table, ApplyTintTest,
                         testing::Values(TintCase{"4F81BD", 0.7999816888943144, "DBE5F1"},
                                         TintCase{"4F81BD", 0.5999938962981048, "B8CCE4"},
                                         TintCase{"4F81BD", 0.3999755851924192, "95B3D7"},
                                         TintCase{"4F81BD", -0.249977111117893, "366092"},
                                         TintCase{"4F81BD", -0.499984740745262, "244062"},
                                         TintCase{"C0504D", 0.7999816888943144, "F2DCDB"},
                                         TintCase{"C0504D", -0.499984740745262, "632523"},
                                         TintCase{"1F497D", 0.3999755851924192, "538DD5"},
                                         TintCase{"EEECE1", -0.89999084444715716, "1D1B10"},
                                         TintCase{"FFFFFF", -0.14999847407452621, "D9D9D9"},
                                         TintCase{"FFFFFF", -0.499984740745262, "808080"},
                                         TintCase{"000000", 0.499984740745262, "808080"},
                                         TintCase{"000000", 0.049989318521683403, "0D0D0D"}));

TEST(ApplyTintTest, LimitsAndSentinels) {
  EXPECT_EQ(ApplyTint(Hex("4F81BD"), 0.0), Hex("4F81BD"));
  EXPECT_EQ(ApplyTint(Hex("4F81BD"), 1e-13), Hex("4F81BD"));
  EXPECT_EQ(ApplyTint(clNone, 0.5), clNone);
  EXPECT_EQ(ApplyTint(Hex("4F81BD"), 1.0), Hex("FFFFFF"));
  EXPECT_EQ(ApplyTint(Hex("4F81BD"), -1.0), Hex("000000"));
  EXPECT_EQ(ApplyTint(Hex("4F81BD"), 7.5), Hex("FFFFFF"));   // clamped to 1
  EXPECT_EQ(ApplyTint(Hex("4F81BD"), -7.5), Hex("000000"));  // clamped to -1
  EXPECT_EQ(ApplyTint(Hex("4F81BD"), std::nan("")), Hex("4F81BD"));
  // A system colour is tinted from its RGB value (button face, C0C0C0).
  EXPECT_EQ(ApplyTint(static_cast<TColor>(0x8000000Fu), -0.5), ApplyTint(Hex("C0C0C0"), -0.5));
}

}  // namespace
}  // namespace workbook
