#include <gtest/gtest.h>

#include "workbook/formats/xml_test_support.h"
#include "workbook/model/cell_borders_list.h"
#include "workbook/model/font_list.h"
#include "workbook/model/style_test_support.h"

namespace workbook {
namespace {

using test::Narrow;
using test::XmlScratch;

struct FontReadCase {
  const char* xml;
  const char* key;  // Size;Bold;Underline;Italic;VertPosition;StrikeOut;Color;Name
};

class FontXlsxRead : public ::testing::TestWithParam<FontReadCase> {};

TEST_P(FontXlsxRead, ReadsTheElements) {
  XmlScratch xml("x");
  xml.Load(GetParam().xml);
  TExportFont font;
  font.ReadXLSX(xml.Root(), nullptr, nullptr, "name");
  EXPECT_EQ(Narrow(font.GetKeyString()), GetParam().key) << GetParam().xml;
}

INSTANTIATE_TEST_SUITE_P(
    Fonts, FontXlsxRead,
    ::testing::Values(
        // Absent: off, no underline, baseline.
        FontReadCase{"<font/>", "10;2;5;2;3;2;536870911;"},
        FontReadCase{"<font><b/><i val=\"1\"/><strike val=\"0\"/><u/><vertAlign/></font>",
                     "10;1;1;1;1;2;536870911;"},
        FontReadCase{"<font><b val=\"2\"/><i val=\"0.4\"/><strike val=\"-1\"/></font>",
                     "10;1;5;2;3;1;536870911;"},
        // A val that is no number is on, except "false" and "off".
        FontReadCase{"<font><b val=\"true\"/><i val=\"false\"/><strike val=\"off\"/></font>",
                     "10;1;5;2;3;2;536870911;"},
        FontReadCase{"<font><u val=\"double\"/><vertAlign val=\"subscript\"/></font>",
                     "10;2;2;2;2;2;536870911;"},
        FontReadCase{"<font><u val=\"singleAccounting\"/><vertAlign val=\"none\"/></font>",
                     "10;2;3;2;3;2;536870911;"},
        FontReadCase{"<font><u val=\"doubleAccounting\"/><vertAlign val=\"superscript\"/></font>",
                     "10;2;4;2;1;2;536870911;"},
        // Unknown texts (matched case-sensitively) read as not set.
        FontReadCase{"<font><u val=\"Double\"/><vertAlign val=\"baseline\"/></font>",
                     "10;2;0;2;0;2;536870911;"},
        FontReadCase{"<font><u val=\"none\"/></font>", "10;2;5;2;3;2;536870911;"},
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

// Without entries the registries keep their default font and empty border set.
TEST(StyleListsXlsxRead, WithoutEntriesTheDefaultsStay) {
  XmlScratch xml("x");
  xml.Load("<styleSheet><fonts count=\"3\"/><borders count=\"0\"/></styleSheet>");
  TExportFontList fonts;
  fonts.Add(TExportFont());
  fonts.ReadXLSX(xml.Root().Child("fonts"), nullptr, nullptr);
  ASSERT_EQ(fonts.Count(), 1);
  EXPECT_EQ(*fonts.GetItem(0), TExportFontList::DefaultFont());
  TExportCellBordersList borders;
  borders.ReadXLSX(xml.Root().Child("borders"), nullptr, nullptr);
  ASSERT_EQ(borders.Count(), 1);
  EXPECT_EQ(*borders.GetItem(0), TExportCellBorders());
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

}  // namespace
}  // namespace workbook
