#include <gtest/gtest.h>

#include "workbook/formats/xml_test_support.h"
#include "workbook/model/cell_borders_list.h"
#include "workbook/model/font_list.h"
#include "workbook/model/style_test_support.h"

namespace workbook {
namespace {

using test::Narrow;
using test::XmlScratch;

struct FontStyleReadCase {
  const char* xml;
  const char* key;  // Bold;Underline;Italic;VertPosition;StrikeOut
};

class FontStyleXlsxRead : public ::testing::TestWithParam<FontStyleReadCase> {};

TEST_P(FontStyleXlsxRead, MapsElementsToStyleBytes) {
  XmlScratch xml("x");
  xml.Load(GetParam().xml);
  TExportFontStyle style;
  style.ReadXLSX(xml.Root());
  EXPECT_EQ(Narrow(style.GetKeyString()), GetParam().key) << GetParam().xml;
}

INSTANTIATE_TEST_SUITE_P(
    Elements, FontStyleXlsxRead,
    ::testing::Values(
        // Absent: off, no underline, baseline.
        FontStyleReadCase{"<font/>", "2;5;2;3;2"},
        FontStyleReadCase{"<font><b/><i val=\"1\"/><strike val=\"0\"/><u/><vertAlign/></font>",
                          "1;1;1;1;2"},
        FontStyleReadCase{"<font><b val=\"2\"/><i val=\"0.4\"/><strike val=\"-1\"/></font>",
                          "1;5;2;3;1"},
        // A val that is no number is on, except "false" and "off".
        FontStyleReadCase{"<font><b val=\"true\"/><i val=\"false\"/><strike val=\"off\"/></font>",
                          "1;5;2;3;2"},
        FontStyleReadCase{"<font><u val=\"double\"/><vertAlign val=\"subscript\"/></font>",
                          "2;2;2;2;2"},
        FontStyleReadCase{"<font><u val=\"singleAccounting\"/><vertAlign val=\"none\"/></font>",
                          "2;3;2;3;2"},
        FontStyleReadCase{"<font><u val=\"doubleAccounting\"/><vertAlign "
                          "val=\"superscript\"/></font>",
                          "2;4;2;1;2"},
        // Unknown texts (matched case-sensitively) read as not set.
        FontStyleReadCase{"<font><u val=\"Double\"/><vertAlign val=\"baseline\"/></font>",
                          "2;0;2;0;2"},
        FontStyleReadCase{"<font><u val=\"none\"/></font>", "2;5;2;3;2"}));

struct FontReadCase {
  const char* xml;
  const char* key;  // Size;style;Color;Name
};

class FontXlsxRead : public ::testing::TestWithParam<FontReadCase> {};

TEST_P(FontXlsxRead, ReadsSizeColourAndName) {
  XmlScratch xml("x");
  xml.Load(GetParam().xml);
  TExportFont font;
  font.ReadXLSX(xml.Root(), nullptr, nullptr, "name");
  EXPECT_EQ(Narrow(font.GetKeyString()), GetParam().key) << GetParam().xml;
}

INSTANTIATE_TEST_SUITE_P(
    Fonts, FontXlsxRead,
    ::testing::Values(
        FontReadCase{"<font/>", "10;2;5;2;3;2;536870911;"},
        FontReadCase{
            "<font><sz val=\"11\"/><color rgb=\"FF102030\"/><name val=\"Calibri\"/></font>",
            "11;2;5;2;3;2;3153936;Calibri"},
        // Rounded half to even; a text that is no number keeps the current size.
        FontReadCase{"<font><sz val=\"10.5\"/></font>", "10;2;5;2;3;2;536870911;"},
        FontReadCase{"<font><sz val=\"11.5\"/></font>", "12;2;5;2;3;2;536870911;"},
        FontReadCase{"<font><sz val=\"big\"/></font>", "10;2;5;2;3;2;536870911;"},
        FontReadCase{"<font><sz val=\"1e300\"/></font>", "2147483647;2;5;2;3;2;536870911;"},
        FontReadCase{"<font><rFont val=\"Run\"/><name val=\"Style\"/></font>",
                     "10;2;5;2;3;2;536870911;Style"}));

TEST(FontXlsxRead, RunFontsUseRFont) {
  XmlScratch xml("x");
  xml.Load("<rPr><b/><rFont val=\"Run\"/></rPr>");
  TExportFont font;
  font.ReadXLSX(xml.Root(), nullptr, nullptr, "rFont");
  EXPECT_EQ(font.GetName(), u"Run");
}

TEST(FontXlsxRead, RunPropertiesRoundTrip) {
  TExportFont font;
  font.SetName(u"\u010Cierna & <b>");
  font.SetSize(13);
  font.SetColor(0x0080FF);
  font.GetStyle() = {1, 4, 2, 1, 2};
  XmlScratch xml("x");
  xml.Load(font.WriteXLSXRun());
  TExportFont read;
  read.ReadXLSX(xml.Root(), nullptr, nullptr, "rFont");
  EXPECT_EQ(read, font);
}

TEST(FontListXlsxRead, KeepsEveryFontInFileOrder) {
  XmlScratch xml("x");
  xml.Load(
      "<fonts count=\"99\"><font><sz val=\"11\"/><name val=\"Calibri\"/></font>"
      "<font><sz val=\"11\"/><name val=\"Calibri\"/></font><font><b/><sz val=\"8\"/></font>"
      "</fonts>");
  TExportFontList fonts;
  fonts.ReadXLSX(xml.Root(), nullptr, nullptr);
  ASSERT_EQ(fonts.Count(), 3);
  EXPECT_EQ(fonts.GetItem(0)->GetName(), u"Calibri");
  EXPECT_EQ(*fonts.GetItem(0), *fonts.GetItem(1));
  EXPECT_EQ(fonts.GetItem(2)->GetSize(), 8);
  EXPECT_EQ(fonts.Add(*fonts.GetItem(1)), 0);
}

TEST(FontListXlsxRead, WithoutFontsTheDefaultFontStays) {
  XmlScratch xml("x");
  xml.Load("<fonts count=\"3\"/>");
  TExportFontList fonts;
  fonts.Add(TExportFont());
  fonts.ReadXLSX(xml.Root(), nullptr, nullptr);
  ASSERT_EQ(fonts.Count(), 1);
  EXPECT_EQ(*fonts.GetItem(0), TExportFontList::DefaultFont());
}

TEST(BordersListXlsxRead, BothDiagonalsComeFromTheOneDiagonalElement) {
  XmlScratch xml("x");
  xml.Load(
      "<borders count=\"1\"><border diagonalUp=\"1\" diagonalDown=\"true\">"
      "<left style=\"thin\"><color rgb=\"FFFF0000\"/></left><right style=\"medium\"/>"
      "<top style=\"bogus\"/><diagonal style=\"thick\"><color rgb=\"FF00FF00\"/></diagonal>"
      "</border></borders>");
  TExportCellBordersList borders;
  borders.ReadXLSX(xml.Root(), nullptr, nullptr);
  ASSERT_EQ(borders.Count(), 1);
  // Lines top, right, bottom, left, down, up; an absent bottom and an unknown style read as none.
  EXPECT_EQ(Narrow(borders.GetItem(0)->GetKeyString()),
            "1;536870911;3;536870911;1;536870911;2;255;6;65280;6;65280");
}

TEST(BordersListXlsxRead, DiagonalsWithoutTheirFlagStayUnset) {
  XmlScratch xml("x");
  xml.Load(
      "<borders><border diagonalUp=\"0\" diagonalDown=\"false\"><left/><right/><top/><bottom/>"
      "<diagonal style=\"thin\"/></border><border><left/><right/><top/><bottom/><diagonal/>"
      "</border></borders>");
  TExportCellBordersList borders;
  borders.ReadXLSX(xml.Root(), nullptr, nullptr);
  ASSERT_EQ(borders.Count(), 2);
  EXPECT_EQ(Narrow(borders.GetItem(0)->GetKeyString()),
            "1;536870911;1;536870911;1;536870911;1;536870911;0;536870911;0;536870911");
  // Equal sets keep their own positions.
  EXPECT_EQ(*borders.GetItem(0), *borders.GetItem(1));
}

TEST(BordersListXlsxRead, WithoutBordersTheEmptySetStays) {
  XmlScratch xml("x");
  xml.Load("<borders count=\"0\"/>");
  TExportCellBordersList borders;
  borders.ReadXLSX(xml.Root(), nullptr, nullptr);
  ASSERT_EQ(borders.Count(), 1);
  EXPECT_EQ(*borders.GetItem(0), TExportCellBorders());
}

}  // namespace
}  // namespace workbook

namespace workbook {
namespace {

struct TwoThemeColors : IThemeColors {
  int GetCount() const override { return 2; }
  TColor GetColor(int index) const override { return index == 0 ? 0x000000 : 0x0000FF; }
  bool FindByName(std::u16string_view, TColor&) const override { return false; }
};

struct TenGreys : IColorPalette {
  TColor GetColor(int index) const override {
    return index >= 0 && index < 10 ? 0x111111 * index : clNone;
  }
};

TEST(StyleXlsxRead, ThemeAndIndexedColoursResolveThroughTheFilesColours) {
  test::XmlScratch xml("x");
  xml.Load(
      "<styleSheet><fonts><font><color theme=\"1\"/></font><font><color indexed=\"3\"/></font>"
      "<font><color indexed=\"64\"/></font></fonts><borders><border><left style=\"thin\">"
      "<color theme=\"1\"/></left><right style=\"thin\"><color indexed=\"2\"/></right></border>"
      "</borders></styleSheet>");
  const TwoThemeColors theme;
  const TenGreys palette;
  TExportFontList fonts;
  fonts.ReadXLSX(xml.Root().Child("fonts"), &theme, &palette);
  ASSERT_EQ(fonts.Count(), 3);
  EXPECT_EQ(fonts.GetItem(0)->GetColor(), 0x0000FF);
  EXPECT_EQ(fonts.GetItem(1)->GetColor(), 0x333333);
  EXPECT_EQ(fonts.GetItem(2)->GetColor(), clNone);
  TExportCellBordersList borders;
  borders.ReadXLSX(xml.Root().Child("borders"), &theme, &palette);
  EXPECT_EQ(borders.GetItem(0)->GetBorder(TExportCellBorders::bLeft).Color, 0x0000FF);
  EXPECT_EQ(borders.GetItem(0)->GetBorder(TExportCellBorders::bRight).Color, 0x222222);
}

}  // namespace
}  // namespace workbook
