#include "workbook/core/enum_names.h"

#include <gtest/gtest.h>

#include <string>

namespace workbook {
namespace {

// The texts of codes From..To joined with "|", so a whole table compares in one line.
template <class F>
std::u16string Texts(F name, int from, int to) {
  std::u16string joined;
  for (int v = from; v <= to; ++v) joined += std::u16string(name(v)) + (v < to ? u"|" : u"");
  return joined;
}

// The codes read from texts joined the same way.
template <class F>
std::string Codes(F read, std::initializer_list<std::u16string_view> texts) {
  std::string joined;
  for (std::u16string_view text : texts) joined += std::to_string(read(text)) + " ";
  return joined;
}

template <class F>
std::string Bytes(F read, std::initializer_list<int> bytes) {
  std::string joined;
  for (int b : bytes) joined += std::to_string(read(static_cast<uint8_t>(b))) + " ";
  return joined;
}

TEST(EnumNamesTest, HorizontalAlignment) {
  EXPECT_EQ(Texts(HAlignToXLSX, -1, 6), u"left|left|left|center|right|fill|justify|left");
  EXPECT_EQ(Texts(HAlignToODS, 0, 5), u"start|start|center|end|start|justify");
  EXPECT_EQ(Codes(XLSXToHAlign, {u"center", u"centerContinuous", u"fill", u"justify", u"left",
                                 u"right", u"general", u"distributed", u"", u"Left"}),
            "2 2 4 5 1 3 0 0 0 0 ");
  for (int v = 0; v < 6; ++v) {
    EXPECT_EQ(HAlignToXLS(v), v);
    EXPECT_EQ(XLSToHAlign(HAlignToXLS(v) | 0xF8), v);  // other bits of the byte ignored
  }
  EXPECT_EQ(Bytes(XLSToHAlign, {6, 7}), "0 0 ");
}

TEST(EnumNamesTest, VerticalAlignment) {
  EXPECT_EQ(Texts(VAlignToXLSX, 0, 5), u"bottom|top|center|bottom|justify|distributed");
  EXPECT_EQ(Texts(VAlignToODS, 0, 5), u"bottom|top|middle|bottom|justify|justify");
  EXPECT_EQ(Bytes(VAlignToXLS, {0, 1, 2, 3, 4, 5}), "32 0 16 32 48 64 ");
  EXPECT_EQ(Codes(XLSXToVAlign,
                  {u"bottom", u"center", u"distributed", u"justify", u"top", u"", u"middle"}),
            "3 2 5 4 1 0 0 ");
  // BIFF: top 0, center 1, bottom 2, justify 3, distributed 4 in bits 4-6; bit 7 is not part of
  // the field.
  EXPECT_EQ(Bytes(XLSToVAlign, {0x00, 0x1F, 0x20, 0x30, 0x40, 0x50, 0x70, 0x80}),
            "1 2 3 4 5 0 0 1 ");
  EXPECT_EQ(WrapToODS(false), u"no-wrap");
  EXPECT_EQ(WrapToODS(true), u"wrap");
}

TEST(EnumNamesTest, Rotation) {
  const std::pair<int, bool> written[] = {{0, false},   {45, false}, {90, false},  {-45, false},
                                          {-90, false}, {30, true},  {-120, false}};
  std::string bytes;
  for (auto [rotation, stacked] : written)
    bytes += std::to_string(RotationToXLS(rotation, stacked)) + " ";
  EXPECT_EQ(bytes, "0 45 90 135 180 255 180 ");
  std::string read;
  for (int b : {0, 45, 90, 91, 135, 180, 181, 254, 255}) {
    int rotation = 99;
    bool stacked = false;
    XLSToRotation(static_cast<uint8_t>(b), rotation, stacked);
    read += std::to_string(rotation) + (stacked ? "s " : " ");
  }
  EXPECT_EQ(read, "0 45 90 -1 -45 -90 0 0 0s ");
}

TEST(EnumNamesTest, BorderStyles) {
  EXPECT_EQ(Texts(BorderStyleToXLSX, 0, 15),
            u"none|none|thin|medium|dashed|dotted|thick|double|hair|mediumDashed|dashDot|"
            u"mediumDashDot|dashDotDot|mediumDashDotDot|slantDashDot|none");
  for (int v = 0; v < kBorderStyleCount; ++v)
    EXPECT_EQ(XLSXToBorderStyle(BorderStyleToXLSX(v)), v == 0 ? 1 : v) << v;
  EXPECT_EQ(Codes(XLSXToBorderStyle, {u"", u"Thin", u"doubbe"}), "1 1 1 ");
  EXPECT_EQ(BorderStyleToODS(1), u"none");
  EXPECT_EQ(BorderStyleToODS(2), u"0.74pt solid");
  EXPECT_EQ(BorderStyleToODS(7), u"2.01pt double");
  for (int v = 2; v < kBorderStyleCount; ++v) EXPECT_NE(BorderStyleToODS(v), u"none") << v;
  EXPECT_EQ(BorderStyleToODS(99), u"none");
  EXPECT_EQ(Bytes(BorderStyleToXLS, {0, 1, 2, 14}), "0 0 1 13 ");
  for (uint8_t code = 0; code < 14; ++code) EXPECT_EQ(XLSToBorderStyle(code), code + 1);
  EXPECT_EQ(Bytes(XLSToBorderStyle, {14, 15}), "14 14 ");
}

TEST(EnumNamesTest, PagePanesAndProtection) {
  EXPECT_EQ(Texts(PageOrientationToXLSX, 0, 1), u"portrait|landscape");
  EXPECT_EQ(PageOrientationToODS(1), u"landscape");
  EXPECT_EQ(Codes(XLSXToPageOrientation, {u"landscape", u"portrait", u"default"}), "1 0 0 ");
  EXPECT_EQ(Texts(PageOrderToXLSX, 0, 1), u"overThenDown|downThenOver");
  EXPECT_EQ(Texts(PageOrderToODS, 0, 1), u"ltr|ttb");
  EXPECT_EQ(Codes(XLSXToPageOrder, {u"overThenDown", u"downThenOver", u""}), "0 1 1 ");
  EXPECT_EQ(PaneSplitToXLSX(0), u"none");
  EXPECT_EQ(PaneSplitToXLSX(3), u"both");
  EXPECT_EQ(Texts(CellProtectionToODS, 0, 3),
            u"none|protected|formula-hidden|protected formula-hidden");
}

}  // namespace
}  // namespace workbook
