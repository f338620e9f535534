#include <gtest/gtest.h>

#include "workbook/formats/xml_test_support.h"

#include "workbook/model/cell_borders_list.h"
#include "workbook/model/font_list.h"

namespace workbook {
namespace {

using test::XmlScratch;

TExportFont MakeFont(TExportFontStyle style, int size, TColor color, const char16_t* name) {
  TExportFont font;
  font.GetStyle() = style;
  font.SetSize(size);
  font.SetColor(color);
  font.SetName(name);
  return font;
}

struct FontXmlCase {
  TExportFontStyle style;
  int size;
  TColor color;
  const char16_t* name;
  const char* expected;
};

class FontXlsx : public ::testing::TestWithParam<FontXmlCase> {};

TEST_P(FontXlsx, WritesTheChildrenInOrder) {
  const FontXmlCase& c = GetParam();
  XmlScratch xml("font");
  MakeFont(c.style, c.size, c.color, c.name).WriteXLSX(xml.Root(), "name");
  EXPECT_EQ(xml.Text(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Fonts, FontXlsx,
    ::testing::Values(
        FontXmlCase{{}, -1, clNone, u"", "<font/>"},
        FontXmlCase{
            {2, 0, 0, 0, 0}, 10, clNone, u"", "<font><b val=\"0\"/><sz val=\"10\"/></font>"},
        FontXmlCase{{0, 1, 0, 0, 0}, 10, clNone, u"", "<font><u/><sz val=\"10\"/></font>"},
        FontXmlCase{
            {0, 5, 0, 0, 3}, 0, clNone, u"", "<font><u val=\"none\"/><sz val=\"0\"/></font>"},
        FontXmlCase{{1, 3, 2, 1, 1},
                    11,
                    0x0080FF,
                    u"Calibri \u017D",
                    "<font><b/><i val=\"0\"/><strike/><u val=\"singleAccounting\"/>"
                    "<vertAlign val=\"superscript\"/><sz val=\"11\"/><color rgb=\"FFFF8000\"/>"
                    "<name val=\"Calibri \xC5\xBD\"/></font>"}));

TEST(FontXlsxRun, IsTheRunPropertiesElementWithRFont) {
  EXPECT_EQ(MakeFont({1, 0, 0, 0, 0}, 9, 0x00FF00, u"\u00C1rial").WriteXLSXRun(),
            "<rPr><b/><sz val=\"9\"/><color rgb=\"FF00FF00\"/><rFont val=\"\xC3\x81rial\"/></rPr>");
}

TEST(FontListXlsx, WritesCountAndEveryEntry) {
  TExportFontList fonts;
  fonts.Add(MakeFont({}, 12, clNone, u"\u0160t\u00FDl"));
  XmlScratch xml("fonts");
  fonts.WriteXLSX(xml.Root());
  EXPECT_EQ(xml.Text(),
            "<fonts count=\"2\"><font><sz val=\"10\"/><name val=\"Arial\"/></font>"
            "<font><sz val=\"12\"/><name val=\"\xC5\xA0t\xC3\xBDl\"/></font></fonts>");
}

TEST(BordersListXlsx, LinesOfStyleNoneWriteBareSides) {
  TExportCellBorders none;
  for (int i = 0; i < 6; ++i) none.GetBorder(i).Style = TExportCellBorder::kNone;
  TExportCellBordersList borders;
  borders.Clear();
  borders.AddNew(std::make_unique<TExportCellBorders>(none));
  XmlScratch xml("borders");
  borders.WriteXLSX(xml.Root());
  EXPECT_EQ(xml.Text(),
            "<borders count=\"1\"><border><left/><right/><top/><bottom/></border></borders>");
}

TEST(BordersListXlsx, SidesInOrderAndBothDiagonalsShareOneElement) {
  TExportCellBorders set;
  set.GetBorder(TExportCellBorders::bTop) = TExportCellBorder(1, 0x0000FF);
  set.GetBorder(TExportCellBorders::bRight) = TExportCellBorder(3, clNone);
  set.GetBorder(TExportCellBorders::bBottom) = TExportCellBorder(7, 0x123456);
  set.GetBorder(TExportCellBorders::bLeft) = TExportCellBorder(2, 0x0000FF);
  set.GetBorder(TExportCellBorders::bDiagonalUp) = TExportCellBorder(2, 0xFF0000);
  set.GetBorder(TExportCellBorders::bDiagonalDown) = TExportCellBorder(6, 0x00FF00);
  TExportCellBordersList borders;
  borders.Clear();
  borders.AddNew(std::make_unique<TExportCellBorders>(set));
  XmlScratch xml("borders");
  borders.WriteXLSX(xml.Root());
  EXPECT_EQ(xml.Text(),
            "<borders count=\"1\"><border diagonalUp=\"1\" diagonalDown=\"1\">"
            "<left style=\"thin\"><color rgb=\"FFFF0000\"/></left>"
            "<right style=\"medium\"><color rgb=\"FF000000\"/></right>"
            "<top/>"
            "<bottom style=\"double\"><color rgb=\"FF563412\"/></bottom>"
            "<diagonal style=\"thick\"><color rgb=\"FF00FF00\"/></diagonal>"
            "</border></borders>");
}

}  // namespace
}  // namespace workbook
