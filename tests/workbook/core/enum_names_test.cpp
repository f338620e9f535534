// The codes of the model against the texts and bytes of the files. Page orientation and order,
// border names and ODS border widths appear whole in the page-setup and style goldens of the
// formats, and the XLSX border names in the openpyxl style peer test.
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

// The codes read from texts or bytes, joined the same way.
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
  // Other bits of the byte are ignored.
  EXPECT_EQ(Bytes(XLSToHAlign, {0xF8, 0xFD, 6, 7}), "0 5 0 0 ");
}

TEST(EnumNamesTest, VerticalAlignment) {
  EXPECT_EQ(Texts(VAlignToXLSX, 0, 5), u"bottom|top|center|bottom|justify|distributed");
  EXPECT_EQ(Texts(VAlignToODS, 0, 5), u"bottom|top|middle|bottom|justify|justify");
  EXPECT_EQ(Bytes(VAlignToXLS, {0, 1, 2, 3, 4, 5}), "32 0 16 32 48 64 ");
  EXPECT_EQ(Codes(XLSXToVAlign, {u"bottom", u"center", u"distributed", u"justify", u"top", u""}),
            "3 2 5 4 1 0 ");
  // BIFF: top 0, center 1, bottom 2, justify 3, distributed 4 in bits 4-6; bit 7 is not part of
  // the field.
  EXPECT_EQ(Bytes(XLSToVAlign, {0x00, 0x1F, 0x20, 0x30, 0x40, 0x50, 0x70, 0x80}),
            "1 2 3 4 5 0 0 1 ");
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
  // Unknown names and styles fall back to a thin line or none.
  EXPECT_EQ(Codes(XLSXToBorderStyle, {u"", u"Thin", u"doubbe", u"none"}), "1 1 1 1 ");
  EXPECT_EQ(BorderStyleToXLSX(15), u"none");
  EXPECT_EQ(BorderStyleToODS(99), u"none");
  EXPECT_EQ(Bytes(BorderStyleToXLS, {0, 1, 2, 14}), "0 0 1 13 ");
  EXPECT_EQ(Bytes(XLSToBorderStyle, {0, 13, 14, 15}), "1 14 14 14 ");
}

TEST(EnumNamesTest, PanesWrapAndProtection) {
  EXPECT_EQ(PaneSplitToXLSX(3), u"both");
  EXPECT_EQ(WrapToODS(false), u"no-wrap");
  EXPECT_EQ(Texts(CellProtectionToODS, 0, 3),
            u"none|protected|formula-hidden|protected formula-hidden");
}

}  // namespace
}  // namespace workbook
