#include "workbook/core/xlsx_colors.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "workbook/core/color_hls.h"
#include "workbook/core/fake_theme.h"
#include "workbook/core/xml/xml_document.h"
#include "workbook/formats/xlsx/xlsx_palette.h"
#include "workbook/model/cell_borders_list.h"
#include "workbook/model/font_list.h"

namespace workbook {
namespace {

using test::FakeTheme;

class FakePalette : public IColorPalette {
 public:
  TColor GetColor(int Index) const override {
    if (Index == 2) return 0x0000FF;
    if (Index == 64) return 0;
    return Index >= 0 && Index < 66 ? 0x808080 : clNone;
  }
};

TColor ReadColor(const std::string& element, const IThemeColors* theme = nullptr,
                 const IColorPalette* palette = nullptr) {
  TXmlDocument doc;
  doc.LoadFromString(element);
  return ReadXLSXColor(doc.DocumentElement(), theme, palette);
}

TEST(ReadXLSXColorTest, RgbThemeAndIndexed) {
  FakeTheme theme;
  FakePalette palette;
  TExporterXLSX_Palette filePalette;
  const TColorPaletteRef xlsPalette(filePalette);
  const std::pair<const char*, TColor> cases[] = {
      {R"(<color rgb="FF102030"/>)", 0x302010},
      {R"(<color rgb="102030"/>)", 0x302010},
      {R"(<color rgb="12345"/>)", clNone},
      {R"(<color rgb="FF102030" theme="1" indexed="2"/>)", 0x302010},  // rgb wins
      {R"(<color theme="4"/>)", 0xBD814F},
      {R"(<color theme="4" tint="0"/>)", 0xBD814F},
      {R"(<color theme="4" tint="0.3999755851924192"/>)", ApplyTint(0xBD814F, 0.3999755851924192)},
      {R"(<color theme="0" tint="-0.499984740745262"/>)", ApplyTint(0xFFFFFF, -0.499984740745262)},
      // A theme index outside the theme is no colour.
      {R"(<color theme="6"/>)", clNone},
      {R"(<color theme="99"/>)", clNone},
      {R"(<color theme="-1"/>)", clNone},
      {R"(<color theme="x"/>)", clNone},
      {R"(<color theme="4294967296"/>)", clNone},
      {R"(<color theme=""/>)", clNone},
      {R"(<color indexed="2"/>)", 0x0000FF},
      {R"(<color indexed="64"/>)", 0},
      {R"(<color indexed="66"/>)", clNone},
      {R"(<color indexed="-3"/>)", clNone},
      {R"(<color auto="1"/>)", clNone}};
  for (auto [element, color] : cases)
    EXPECT_EQ(ReadColor(element, &theme, &palette), color) << element;
  EXPECT_EQ(ReadColor(R"(<color theme="1"/>)", nullptr), clNone);
  EXPECT_EQ(ReadColor(R"(<color indexed="2"/>)", nullptr, nullptr), clNone);
  EXPECT_EQ(ReadXLSXColor(TXmlNode(), nullptr, nullptr), clNone);
  // Through the XLS palette.
  EXPECT_EQ(ReadColor(R"(<color indexed="2"/>)", nullptr, &xlsPalette), 0x0000FF);
  EXPECT_EQ(ReadColor(R"(<color indexed="65"/>)", nullptr, &xlsPalette), 0xFFFFFF);
  EXPECT_EQ(ReadColor(R"(<color indexed="66"/>)", nullptr, &xlsPalette), clNone);
}

// The font and border lists hand the file's theme and palette on to their colours.
TEST(ReadXLSXColorTest, FontsAndBordersResolveThroughTheFilesColours) {
  TXmlDocument doc;
  doc.LoadFromString(
      "<styleSheet><fonts><font><color theme=\"4\"/></font><font><color indexed=\"2\"/></font>"
      "</fonts><borders><border><left style=\"thin\"><color theme=\"4\"/></left>"
      "<right style=\"thin\"><color indexed=\"2\"/></right></border></borders></styleSheet>");
  FakeTheme theme;
  FakePalette palette;
  TExportFontList fonts;
  fonts.ReadXLSX(doc.DocumentElement().Child("fonts"), &theme, &palette);
  EXPECT_EQ(fonts.GetItem(0)->GetColor(), 0xBD814F);
  EXPECT_EQ(fonts.GetItem(1)->GetColor(), 0x0000FF);
  TExportCellBordersList borders;
  borders.ReadXLSX(doc.DocumentElement().Child("borders"), &theme, &palette);
  EXPECT_EQ(borders.GetItem(0)->GetBorder(TExportCellBorders::bLeft).Color, 0xBD814F);
  EXPECT_EQ(borders.GetItem(0)->GetBorder(TExportCellBorders::bRight).Color, 0x0000FF);
}

}  // namespace
}  // namespace workbook
