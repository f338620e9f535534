#include "workbook/core/color.h"

#include <gtest/gtest.h>

#include <string>

namespace workbook {
namespace {

TEST(ColorTest, ARGBHex) {
  const struct {
    TColor color;
    bool withAlpha;
    std::u16string hex;
  } written[] = {{RGBToColor(0x10, 0x20, 0x30), false, u"102030"},
                 {0x0000FF, true, u"FFFF0000"},
                 // No colour renders as black, system colours as their RGB value.
                 {clNone, true, u"FF000000"},
                 {static_cast<TColor>(0x80000005u), false, u"FFFFFF"},
                 {static_cast<TColor>(0x80000008u), false, u"000000"}};
  for (const auto& c : written) EXPECT_EQ(ColorToARGBHex(c.color, c.withAlpha), c.hex) << c.color;
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
  EXPECT_EQ(TransparencyToODS(100), u"0%");
}

}  // namespace
}  // namespace workbook
