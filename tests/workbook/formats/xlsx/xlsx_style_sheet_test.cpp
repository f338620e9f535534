#include "workbook/formats/xlsx/xlsx_style_sheet.h"

#include <gtest/gtest.h>

#include "../../model/model_fixture.h"
#include "workbook/formats/xlsx/xlsx_package.h"
#include "workbook/formats/xlsx/xlsx_palette.h"
#include "workbook/formats/xlsx/xlsx_theme_colors.h"
#include "workbook/model/cell_style.h"

namespace workbook {
namespace {

class XLSXStyleSheetTest : public ModelTest {
 protected:
  // The workbook needs the date and time globals the fixture sets.
  void SetUp() override {
    ModelTest::SetUp();
    owned = std::make_unique<TWorkbook>();
    // As the import does before reading styles.
    owned->FontList.Clear();
    owned->BordersList.Clear();
    styles = std::make_unique<TExporterXLSX_StyleSheet>(*owned, false);
  }
  void Read(const std::string& content) {
    TXmlDocument document;
    document.LoadFromString(
        "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">" +
        content + "</styleSheet>");
    styles->ReadStyles(document, nullptr, palette);
  }
  std::unique_ptr<TWorkbook> owned;
  std::unique_ptr<TExporterXLSX_StyleSheet> styles;
  TExporterXLSX_Palette palette;
};

TEST_F(XLSXStyleSheetTest, NumberFormatsKeepTheirIdsAndNameTheCellClass) {
  Read(
      "<numFmts><numFmt numFmtId=\"164\" formatCode=\"0.000\"/>"
      "<numFmt numFmtId=\"14\" formatCode=\"d/m/yyyy\"/>"
      "<numFmt numFmtId=\"x\" formatCode=\"0%\"/></numFmts>"
      "<cellXfs><xf numFmtId=\"164\"/><xf numFmtId=\"14\"/><xf numFmtId=\"10\"/>"
      "<xf numFmtId=\"11\"/><xf numFmtId=\"999\"/><xf numFmtId=\"49\"/><xf numFmtId=\"0\"/>"
      "<xf numFmtId=\"22\"/></cellXfs>");
  EXPECT_EQ(styles->NumberFormats().FindById(164)->Code(), u"0.000");
  EXPECT_EQ(styles->NumberFormats().FindById(14)->Code(), u"d/m/yyyy");  // the file's wins
  EXPECT_EQ(styles->NumberFormats().FindById(0)->Code(), u"0%");         // "x" reads as 0
  const TCellClass expected[] = {TCellClass::Number,     TCellClass::DateTime, TCellClass::Percent,
                                 TCellClass::Scientific, TCellClass::Number,   TCellClass::Number,
                                 TCellClass::Percent,    TCellClass::DateTime, TCellClass::Number};
  for (int xf = 0; xf < 9; ++xf) EXPECT_EQ(styles->GetCellClass(xf), expected[xf]) << xf;
}

TEST_F(XLSXStyleSheetTest, NewCustomFormatsStartAt165) {
  TExporterXLSX_NumberFormats formats;
  EXPECT_EQ(formats.GetFormatId(u"0.0000"), 165);
  EXPECT_EQ(formats.GetFormatId(u"0.00%"), 10);
  EXPECT_EQ(formats.GetFormatId(u"0.0000"), 165);
  EXPECT_EQ(formats.GetFormatId(u"#,##0.000"), 166);
}

TEST_F(XLSXStyleSheetTest, XfsCarryFontsFillsBordersAlignmentAndProtection) {
  Read(
      "<fonts><font><sz val=\"11\"/><name val=\"Calibri\"/></font>"
      "<font><b/><i val=\"0\"/><u val=\"double\"/><vertAlign val=\"subscript\"/><sz val=\"9\"/>"
      "<color rgb=\"FFFF0000\"/><name val=\"Arial\"/></font>"
      "<font><sz val=\"11\"/><name val=\"Calibri\"/></font></fonts>"
      "<fills><fill><patternFill patternType=\"none\"/></fill>"
      "<fill><patternFill patternType=\"gray125\"/></fill>"
      "<fill><patternFill patternType=\"solid\"><fgColor rgb=\"FF00FF00\"/>"
      "<bgColor indexed=\"64\"/></patternFill></fill></fills>"
      "<borders><border/><border diagonalUp=\"1\"><left style=\"thin\"><color rgb=\"FF0000FF\"/>"
      "</left><diagonal style=\"dashed\"/></border><border/></borders>"
      "<cellXfs><xf/><xf fontId=\"1\" fillId=\"2\" borderId=\"1\" applyAlignment=\"1\" "
      "applyProtection=\"1\"><alignment horizontal=\"center\" vertical=\"top\" wrapText=\"1\" "
      "textRotation=\"135\"/><protection locked=\"0\" hidden=\"1\"/></xf>"
      "<xf applyAlignment=\"0\"><alignment horizontal=\"right\"/></xf>"
      "<xf applyAlignment=\"1\"><alignment textRotation=\"255\"/></xf></cellXfs>");
  // Every font and border set of the file is kept in file order, equal ones too.
  EXPECT_EQ(owned->FontList.Count(), 3);
  EXPECT_EQ(owned->BordersList.Count(), 3);
  EXPECT_EQ(owned->FontList.GetItem(1)->GetName(), u"Arial");

  TExportCellStyle style(owned.get());
  styles->ApplyStyle(1, style, nullptr);
  EXPECT_EQ(style.GetFontIndex(), 1);
  EXPECT_EQ(style.GetBordersIndex(), 1);
  EXPECT_EQ(style.GetBGColor(), RGBToColor(0, 0xFF, 0));
  EXPECT_EQ(style.GetAlignment(), TExportCellStyle::haCenter);
  EXPECT_EQ(style.GetVAlignment(), TExportCellStyle::vaTop);
  EXPECT_TRUE(style.GetWrapText());
  EXPECT_EQ(style.GetRotation(), -45);
  EXPECT_EQ(style.GetProtection(), TExportCellStyle::cpHidden);

  TExportCellStyle plain(owned.get());
  styles->ApplyStyle(2, plain, nullptr);
  EXPECT_EQ(plain.GetAlignment(), TExportCellStyle::haGeneral);  // alignment not applied
  EXPECT_EQ(plain.GetProtection(), TExportCellStyle::cpLocked);
  styles->ApplyStyle(3, plain, nullptr);
  EXPECT_EQ(plain.GetVerticalText(), 1);

  TExportCellStyle untouched(owned.get());
  untouched.SetAlignment(TExportCellStyle::haRight);
  styles->ApplyStyle(4, untouched, nullptr);
  EXPECT_EQ(untouched.GetAlignment(), TExportCellStyle::haRight);
}

struct TTargetCase {
  const char* source;
  const char* target;
  const char* part;
};

TEST(XLSXPackageTest, TargetsResolveAgainstTheirSourcePart) {
  const TTargetCase cases[] = {
      {"xl/workbook.xml", "worksheets/sheet1.xml", "xl/worksheets/sheet1.xml"},
      {"xl/workbook.xml", "/xl/worksheets/sheet1.xml", "xl/worksheets/sheet1.xml"},
      {"xl/workbook.xml", "\\xl\\worksheets\\sheet1.xml", "xl/worksheets/sheet1.xml"},
      {"xl/workbook.xml", "worksheets\\sheet1.xml", "xl/worksheets/sheet1.xml"},
      {"xl/worksheets/sheet1.xml", "../drawings/d.xml", "xl/drawings/d.xml"},
      {"", "xl/workbook.xml", "xl/workbook.xml"},
      {"", "/xl/workbook.xml", "xl/workbook.xml"},
      {"xl/workbook.xml", "../../../../etc/passwd", "etc/passwd"},
  };
  for (const TTargetCase& c : cases)
    EXPECT_EQ(TXLSXPackage::ResolveTarget(c.source, c.target), c.part) << c.target;
  EXPECT_EQ(TXLSXPackage::RelationshipsPartOf("xl/workbook.xml"), "xl/_rels/workbook.xml.rels");
  EXPECT_EQ(TXLSXPackage::RelationshipsPartOf(""), "_rels/.rels");
}

}  // namespace
}  // namespace workbook
