#include "workbook/core/color.h"

#include <gtest/gtest.h>

#include <string>

namespace workbook {
namespace {

TEST(ColorChannelsTest, RedInTheLowByte) {
  const TColor c = RGBToColor(0x10, 0x20, 0x30);
  EXPECT_EQ(c, 0x302010);
  EXPECT_EQ(GetRValue(c), 0x10);
  EXPECT_EQ(GetGValue(c), 0x20);
  EXPECT_EQ(GetBValue(c), 0x30);
  EXPECT_EQ(GetRValue(clNone), 0xFF);
  EXPECT_EQ(RGBToColor(255, 255, 255), 0xFFFFFF);
}

TEST(ColorSentinelsTest, Values) {
  EXPECT_EQ(clNone, 0x1FFFFFFF);
  EXPECT_EQ(static_cast<uint32_t>(clGray125Fill), 0xFF00000Fu);
  EXPECT_LT(clGray125Fill, 0);
}

struct ToHexCase {
  TColor color;
  bool withAlpha;
  std::u16string hex;
};

class ColorToARGBHexTest : public testing::TestWithParam<ToHexCase> {};

TEST_P(ColorToARGBHexTest, Writes) {
  EXPECT_EQ(ColorToARGBHex(GetParam().color, GetParam().withAlpha), GetParam().hex);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ColorToARGBHexTest,
    testing::Values(ToHexCase{0x302010, false, u"102030"}, ToHexCase{0x302010, true, u"FF102030"},
                    ToHexCase{0x0000FF, true, u"FFFF0000"}, ToHexCase{0xABCDEF, false, u"EFCDAB"},
                    ToHexCase{0, false, u"000000"},
                    // No colour renders as black, system colours as their RGB value.
                    ToHexCase{clNone, true, u"FF000000"},
                    ToHexCase{static_cast<TColor>(0x80000005u), false, u"FFFFFF"},
                    ToHexCase{static_cast<TColor>(0x80000008u), false, u"000000"}));

struct FromHexCase {
  std::u16string hex;
  TColor color;
};

class ARGBHexToColorTest : public testing::TestWithParam<FromHexCase> {};

TEST_P(ARGBHexToColorTest, Reads) { EXPECT_EQ(ARGBHexToColor(GetParam().hex), GetParam().color); }

INSTANTIATE_TEST_SUITE_P(
    Table, ARGBHexToColorTest,
    testing::Values(FromHexCase{u"FF102030", 0x302010}, FromHexCase{u"00102030", 0x302010},
                    FromHexCase{u"ff0000ff", 0xFF0000}, FromHexCase{u"102030", 0x302010},
                    FromHexCase{u"#102030", 0x302010}, FromHexCase{u"#0F8", 0x88FF00},
                    FromHexCase{u"0F8", 0x88FF00}, FromHexCase{u"12345", clNone},
                    FromHexCase{u"", clNone}, FromHexCase{u"FF10203040", clNone},
                    FromHexCase{u"FFGG2030", 0x302000}));

TEST(ColorHexTest, RoundTrips) {
  for (TColor c : {0x000000, 0xFFFFFF, 0x302010, 0x0000FF, 0x00FF00, 0xFF0000, 0x7F7F80})
    EXPECT_EQ(ARGBHexToColor(ColorToARGBHex(c, true)), c) << c;
}

TEST(TransparencyTest, ToAlpha) {
  EXPECT_EQ(TransparencyToAlpha(0), 100000);
  EXPECT_EQ(TransparencyToAlpha(25), 75000);
  EXPECT_EQ(TransparencyToAlpha(100), 0);
  EXPECT_EQ(TransparencyToAlpha(255), 0);
  EXPECT_EQ(TransparencyToAlpha(-5), 100000);
}

TEST(TransparencyTest, FromAlpha) {
  const std::pair<int, int> cases[] = {{100000, 0}, {75000, 25},  {0, 100},
                                       {500, 100},  {1500, 98},   {2500, 98},
                                       {74600, 25}, {-1000, 100}, {250000, 0}};
  for (auto [alpha, transparency] : cases)
    EXPECT_EQ(AlphaToTransparency(alpha), transparency) << alpha;
}

TEST(TransparencyTest, Ods) {
  EXPECT_EQ(TransparencyToODS(0), u"100%");
  EXPECT_EQ(TransparencyToODS(25), u"75%");
  EXPECT_EQ(TransparencyToODS(100), u"0%");
}

}  // namespace
}  // namespace workbook
