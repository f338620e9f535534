#include "workbook/core/enum_names.h"

#include <gtest/gtest.h>

#include <string>

namespace workbook {
namespace {

TEST(HorizontalAlignmentNamesTest, WritesEachForm) {
  const std::u16string_view xlsx[] = {u"left", u"left", u"center", u"right", u"fill", u"justify"};
  const std::u16string_view ods[] = {u"start", u"start", u"center", u"end", u"start", u"justify"};
  for (int v = 0; v < 6; ++v) {
    EXPECT_EQ(HAlignToXLSX(v), xlsx[v]) << v;
    EXPECT_EQ(HAlignToODS(v), ods[v]) << v;
    EXPECT_EQ(HAlignToXLS(v), v);
    EXPECT_EQ(XLSToHAlign(HAlignToXLS(v) | 0xF8), v);  // other bits of the byte ignored
  }
  EXPECT_EQ(HAlignToXLSX(6), u"left");
  EXPECT_EQ(HAlignToXLSX(-1), u"left");
  EXPECT_EQ(XLSToHAlign(6), 0);
  EXPECT_EQ(XLSToHAlign(7), 0);
}

TEST(HorizontalAlignmentNamesTest, ReadsXlsxByFirstLetter) {
  const std::pair<std::u16string_view, int> cases[] = {
      {u"center", 2}, {u"centerContinuous", 2}, {u"fill", 4},        {u"justify", 5}, {u"left", 1},
      {u"right", 3},  {u"general", 0},          {u"distributed", 0}, {u"", 0},        {u"Left", 0}};
  for (auto [text, value] : cases) EXPECT_EQ(XLSXToHAlign(text), value);
}

TEST(VerticalAlignmentNamesTest, WritesEachForm) {
  const std::u16string_view xlsx[] = {u"bottom", u"top",     u"center",
                                      u"bottom", u"justify", u"distributed"};
  const std::u16string_view ods[] = {u"bottom", u"top",     u"middle",
                                     u"bottom", u"justify", u"justify"};
  const uint8_t xls[] = {0x20, 0x00, 0x10, 0x20, 0x30, 0x40};
  for (int v = 0; v < 6; ++v) {
    EXPECT_EQ(VAlignToXLSX(v), xlsx[v]) << v;
    EXPECT_EQ(VAlignToODS(v), ods[v]) << v;
    EXPECT_EQ(VAlignToXLS(v), xls[v]) << v;
  }
}

TEST(VerticalAlignmentNamesTest, Reads) {
  const std::pair<std::u16string_view, int> cases[] = {
      {u"bottom", 3}, {u"center", 2}, {u"distributed", 5}, {u"justify", 4},
      {u"top", 1},    {u"", 0},       {u"middle", 0}};
  for (auto [text, value] : cases) EXPECT_EQ(XLSXToVAlign(text), value);
  // BIFF: top 0, center 1, bottom 2, justify 3, distributed 4 in bits 4-6.
  EXPECT_EQ(XLSToVAlign(0x00), 1);
  EXPECT_EQ(XLSToVAlign(0x1F), 2);
  EXPECT_EQ(XLSToVAlign(0x20), 3);
  EXPECT_EQ(XLSToVAlign(0x30), 4);
  EXPECT_EQ(XLSToVAlign(0x40), 5);
  EXPECT_EQ(XLSToVAlign(0x50), 0);
  EXPECT_EQ(XLSToVAlign(0x70), 0);
  EXPECT_EQ(XLSToVAlign(0x80), 1);  // bit 7 is not part of the field
}

TEST(WrapNamesTest, Ods) {
  EXPECT_EQ(WrapToODS(false), u"no-wrap");
  EXPECT_EQ(WrapToODS(true), u"wrap");
}

TEST(RotationTest, WritesTheByte) {
  EXPECT_EQ(RotationToXLS(0, false), 0);
  EXPECT_EQ(RotationToXLS(45, false), 45);
  EXPECT_EQ(RotationToXLS(90, false), 90);
  EXPECT_EQ(RotationToXLS(-45, false), 135);
  EXPECT_EQ(RotationToXLS(-90, false), 180);
  EXPECT_EQ(RotationToXLS(30, true), 255);
  EXPECT_EQ(RotationToXLS(-120, false), 180);
}

TEST(RotationTest, ReadsTheByte) {
  const struct {
    uint8_t byte;
    int rotation;
    bool stacked;
  } cases[] = {{0, 0, false},   {45, 45, false},   {90, 90, false},
               {91, -1, false}, {135, -45, false}, {180, -90, false},
               {181, 0, false}, {254, 0, false},   {255, 0, true}};
  for (const auto& c : cases) {
    int rotation = 99;
    bool stacked = !c.stacked;
    XLSToRotation(c.byte, rotation, stacked);
    EXPECT_EQ(rotation, c.rotation) << int(c.byte);
    EXPECT_EQ(stacked, c.stacked) << int(c.byte);
  }
}

TEST(BorderStyleNamesTest, XlsxRoundTrip) {
  const std::u16string_view names[] = {u"none",        u"none",
                                       u"thin",        u"medium",
                                       u"dashed",      u"dotted",
                                       u"thick",       u"double",
                                       u"hair",        u"mediumDashed",
                                       u"dashDot",     u"mediumDashDot",
                                       u"dashDotDot",  u"mediumDashDotDot",
                                       u"slantDashDot"};
  for (int v = 0; v < kBorderStyleCount; ++v) {
    EXPECT_EQ(BorderStyleToXLSX(v), names[v]) << v;
    EXPECT_EQ(XLSXToBorderStyle(names[v]), v == 0 ? 1 : v) << v;
  }
  EXPECT_EQ(XLSXToBorderStyle(u""), 1);
  EXPECT_EQ(XLSXToBorderStyle(u"Thin"), 1);
  EXPECT_EQ(XLSXToBorderStyle(u"doubbe"), 1);
  EXPECT_EQ(BorderStyleToXLSX(15), u"none");
}

TEST(BorderStyleNamesTest, OdsTexts) {
  EXPECT_EQ(BorderStyleToODS(1), u"none");
  EXPECT_EQ(BorderStyleToODS(2), u"0.74pt solid");
  EXPECT_EQ(BorderStyleToODS(7), u"2.01pt double");
  for (int v = 2; v < kBorderStyleCount; ++v) EXPECT_NE(BorderStyleToODS(v), u"none") << v;
  EXPECT_EQ(BorderStyleToODS(99), u"none");
}

TEST(BorderStyleNamesTest, XlsCodes) {
  EXPECT_EQ(BorderStyleToXLS(0), 0);
  EXPECT_EQ(BorderStyleToXLS(1), 0);
  EXPECT_EQ(BorderStyleToXLS(2), 1);
  EXPECT_EQ(BorderStyleToXLS(14), 13);
  for (uint8_t code = 0; code < 14; ++code) EXPECT_EQ(XLSToBorderStyle(code), code + 1);
  EXPECT_EQ(XLSToBorderStyle(14), 14);
  EXPECT_EQ(XLSToBorderStyle(15), 14);
}

TEST(PageNamesTest, OrientationAndOrder) {
  EXPECT_EQ(PageOrientationToXLSX(0), u"portrait");
  EXPECT_EQ(PageOrientationToXLSX(1), u"landscape");
  EXPECT_EQ(PageOrientationToODS(1), u"landscape");
  EXPECT_EQ(XLSXToPageOrientation(u"landscape"), 1);
  EXPECT_EQ(XLSXToPageOrientation(u"portrait"), 0);
  EXPECT_EQ(XLSXToPageOrientation(u"default"), 0);
  EXPECT_EQ(PageOrderToXLSX(0), u"overThenDown");
  EXPECT_EQ(PageOrderToXLSX(1), u"downThenOver");
  EXPECT_EQ(PageOrderToODS(0), u"ltr");
  EXPECT_EQ(PageOrderToODS(1), u"ttb");
  EXPECT_EQ(XLSXToPageOrder(u"overThenDown"), 0);
  EXPECT_EQ(XLSXToPageOrder(u"downThenOver"), 1);
  EXPECT_EQ(XLSXToPageOrder(u""), 1);
}

TEST(PaneAndProtectionNamesTest, Texts) {
  EXPECT_EQ(PaneSplitToXLSX(0), u"none");
  EXPECT_EQ(PaneSplitToXLSX(3), u"both");
  EXPECT_EQ(CellProtectionToODS(0), u"none");
  EXPECT_EQ(CellProtectionToODS(1), u"protected");
  EXPECT_EQ(CellProtectionToODS(2), u"formula-hidden");
  EXPECT_EQ(CellProtectionToODS(3), u"protected formula-hidden");
}

}  // namespace
}  // namespace workbook
