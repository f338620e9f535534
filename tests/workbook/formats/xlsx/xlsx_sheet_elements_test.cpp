// The elements around a worksheet's cells (columns, merges, view, page setup, protection,
// header and footer, conditional formats, links) and the workbook's defined names, read through
// the XLSX handler: from packages built here and from files openpyxl writes at test time.
#include <gtest/gtest.h>

#include "workbook/core/cell_refs.h"
#include "workbook/core/exceptions.h"
#include "workbook/formats/xlsx/xlsx_exporter.h"
#include "workbook/formats/xlsx/xlsx_sheet_elements.h"
#include "workbook/model/cell.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/conditional_formatting.h"
#include "workbook/model/formula/rpn_names.h"
#include "workbook/model/measuring_hooks.h"
#include "xlsx_test_support.h"

namespace workbook {
namespace {

std::string Worksheet(const std::string& before, const std::string& sheetData,
                      const std::string& after) {
  return "<worksheet xmlns=\"" + kMainNS + "\" xmlns:r=\"" + kRelNS + "\">" + before +
         "<sheetData>" + sheetData + "</sheetData>" + after + "</worksheet>";
}

// A package of one sheet whose part holds Before, SheetData and After; its style sheet has one
// differential format.
TXLSXParts Around(const std::string& before, const std::string& sheetData,
                  const std::string& after) {
  TXLSXParts parts = TXLSXParts::Standard("");
  parts.Parts["xl/worksheets/sheet1.xml"] = Worksheet(before, sheetData, after);
  parts.Parts["xl/styles.xml"] =
      "<styleSheet xmlns=\"" + kMainNS +
      "\"><dxfs count=\"1\"><dxf><font><b/></font></dxf></dxfs></styleSheet>";
  return parts;
}

const std::string kThreeRows =
    "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>a</t></is></c><c r=\"B1\"><v>1</v></c></row>"
    "<row r=\"2\"><c r=\"A2\" t=\"inlineStr\"><is><t>b</t></is></c></row>"
    "<row r=\"3\"><c r=\"A3\" t=\"inlineStr\"><is><t>c</t></is></c></row>";

bool HasRules(TExportWorkSheet& sheet, int col, int row) {
  TExportCell* cell = nullptr;
  return sheet.FindCell(col, row, cell) && cell->ConditionalFormattingIfAny() != nullptr &&
         cell->ConditionalFormattingIfAny()->Count() > 0;
}

class XLSXSheetElementsTest : public XLSXReaderTest {
 protected:
  TExportWorkSheet& Sheet(int index = 0) { return *Book->WorkSheets.GetItem(index); }
  static double CharWidth(TWorkbook& book) {
    return CharWidthHook ? CharWidthHook(book.GetDefaultFont())
                         : HeadlessCharWidth(book.GetDefaultFont());
  }
};

// Each element around the cells reaches its reader (whose conversions their own tests check);
// the widths in characters take the book's default font.
TEST_F(XLSXSheetElementsTest, ElementsAroundTheCellsReachTheirReaders) {
  TXLSXParts parts = Around(
      "<sheetPr><tabColor rgb=\"FF1072BA\"/><pageSetUpPr fitToPage=\"1\"/></sheetPr>"
      "<sheetViews><sheetView zoomScale=\"150\" workbookViewId=\"0\">"
      "<pane xSplit=\"1\" ySplit=\"2\" topLeftCell=\"B3\" state=\"frozen\"/></sheetView>"
      "</sheetViews><sheetFormatPr defaultColWidth=\"12.5\" customHeight=\"1\" "
      "defaultRowHeight=\"18\"/><cols><col min=\"2\" max=\"3\" width=\"20\" customWidth=\"1\"/>"
      "<col min=\"5\" max=\"5\" width=\"9\" hidden=\"1\"/></cols>",
      kThreeRows + "<row r=\"4\" ht=\"30\" customHeight=\"1\" hidden=\"1\" outlineLevel=\"9\"/>",
      "<sheetProtection sheet=\"1\" formatCells=\"0\"/><autoFilter ref=\"A1:B3\"/>"
      "<mergeCells count=\"1\"><mergeCell ref=\"B2:D3\"/></mergeCells>"
      "<printOptions gridLines=\"1\"/><pageMargins left=\"1\" right=\"0.5\" top=\"0.75\" "
      "bottom=\"0.75\" header=\"0.3\" footer=\"0.3\"/><pageSetup scale=\"80\"/>"
      "<headerFooter><oddHeader>&amp;LLeft &amp;&amp; more</oddHeader>"
      "<oddFooter>Page &amp;P</oddFooter></headerFooter>"
      "<rowBreaks count=\"1\"><brk id=\"2\" man=\"1\"/></rowBreaks>"
      "<colBreaks count=\"1\"><brk id=\"3\" man=\"1\"/></colBreaks>");
  Load(parts);
  TExportWorkSheet& sheet = Sheet();
  EXPECT_EQ(sheet.WindowSettings.TabColor, 0xBA7210);
  EXPECT_TRUE(sheet.PageSettings.FitToPage);
  EXPECT_EQ(sheet.WindowSettings.Zoom, 150);
  EXPECT_EQ(sheet.WindowSettings.Split.Row, 2);
  EXPECT_DOUBLE_EQ(sheet.Cols.DefaultWidth, 12.5 * CharWidth(*Book));
  EXPECT_DOUBLE_EQ(sheet.Rows.DefaultRowHeight, 24.0);
  EXPECT_DOUBLE_EQ(sheet.Cols.FindCol(2)->Width, 20 * CharWidth(*Book));
  EXPECT_TRUE(sheet.Cols.FindCol(4)->Hidden);
  EXPECT_TRUE(sheet.Cols.FindCol(3)->PageBreak);
  EXPECT_DOUBLE_EQ(sheet.Rows[3]->Height, 40.0);
  EXPECT_TRUE(sheet.Rows[3]->Hidden);
  EXPECT_EQ(sheet.Rows[3]->OutlineLevel, 7);
  EXPECT_TRUE(sheet.Rows[2]->PageBreak);
  EXPECT_TRUE(sheet.Protection.Protected);
  EXPECT_EQ(sheet.WindowSettings.AutoFilter.RowCount, 3);
  TExportCell* merged = nullptr;
  ASSERT_TRUE(sheet.FindCell(1, 1, merged));
  EXPECT_EQ(merged->ColSpan(), 3);
  EXPECT_EQ(merged->RowSpan(), 2);
  EXPECT_TRUE(sheet.PageSettings.PrintGridLines);
  EXPECT_NEAR(sheet.PageSettings.RightMargin, 1.27, 1e-9);
  EXPECT_EQ(sheet.PageSettings.Scale, 80);
  EXPECT_EQ(sheet.Header.Left.Text, u"Left & more");
  EXPECT_EQ(sheet.Footer.Center.Text, u"Page [PAGENUMBER]");
  EXPECT_EQ(Text(0, 0, 1), u"1");  // the cells are read as before
  // Without a width of its own the default column counts 8 pixels per character.
  parts.Parts["xl/worksheets/sheet1.xml"] =
      Worksheet("<sheetFormatPr baseColWidth=\"10\" defaultRowHeight=\"15\"/>", "", "");
  Load(parts);
  EXPECT_DOUBLE_EQ(Sheet().Cols.DefaultWidth, 80.0);
}

TEST_F(XLSXSheetElementsTest, OnlyExternalHyperlinksOnStringCells) {
  TXLSXParts parts =
      Around("", kThreeRows,
             "<hyperlinks><hyperlink ref=\"A1\" r:id=\"rId1\"/>"
             "<hyperlink ref=\"A2\" r:id=\"rId2\"/><hyperlink ref=\"A3\" location=\"'X'!A1\"/>"
             "<hyperlink ref=\"B1\" r:id=\"rId1\"/><hyperlink ref=\"C5:D6\" r:id=\"rId1\"/>"
             "</hyperlinks>");
  parts.Parts["xl/worksheets/_rels/sheet1.xml.rels"] =
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
      "<Relationship Id=\"rId1\" Type=\"" +
      kRelNS +
      "/hyperlink\" Target=\"https://example.com/a?b=1&amp;c=2\" TargetMode=\"External\"/>"
      "<Relationship Id=\"rId2\" Type=\"" +
      kRelNS + "/hyperlink\" Target=\"https://example.com/internal\"/></Relationships>";
  Load(parts);
  TExportWorkSheet& sheet = Sheet();
  auto link = [&](int col, int row) -> std::u16string {
    TExportCell* cell = nullptr;
    if (!sheet.FindCell(col, row, cell)) return u"(none)";
    auto* text = dynamic_cast<TExportCellString*>(cell);
    return text ? text->GetHyperlink() : u"(not text)";
  };
  EXPECT_EQ(link(0, 0), u"https://example.com/a?b=1&c=2");
  EXPECT_EQ(link(0, 1), u"");
  EXPECT_EQ(link(0, 2), u"");
  EXPECT_EQ(link(1, 0), u"(not text)");  // a number cell keeps its class and gets no link
  EXPECT_EQ(link(2, 4), u"https://example.com/a?b=1&c=2");  // a range's top-left cell
}

TEST_F(XLSXSheetElementsTest, ConditionalFormatsReachEveryCellOfTheirRange) {
  const std::string rule =
      "<cfRule type=\"cellIs\" dxfId=\"0\" priority=\"1\" operator=\"equal\"><formula>1</formula>"
      "</cfRule></conditionalFormatting>";
  Load(Around("", kThreeRows,
              "<conditionalFormatting sqref=\"A2:B3 D1\">" + rule +
                  "<conditionalFormatting sqref=\"C1\"/>"));
  TExportWorkSheet& sheet = Sheet();
  EXPECT_FALSE(HasRules(sheet, 0, 0));
  EXPECT_TRUE(HasRules(sheet, 0, 1));
  EXPECT_TRUE(HasRules(sheet, 0, 2));
  EXPECT_TRUE(HasRules(sheet, 1, 2));   // created empty
  EXPECT_TRUE(HasRules(sheet, 3, 0));   // beyond the content, but a small range
  EXPECT_FALSE(HasRules(sheet, 2, 0));  // an element without rules gives nothing
  // A whole sheet's range stops at the sheet's content.
  Load(Around("", kThreeRows, "<conditionalFormatting sqref=\"A1:XFD1048576\">" + rule));
  EXPECT_EQ(Sheet().Rows.Count(), 3);
  EXPECT_EQ(Sheet().Rows[2]->Cells.Count(), 2);
  EXPECT_TRUE(HasRules(Sheet(), 1, 2));
}

TEST_F(XLSXSheetElementsTest, ConditionalFormatsStopAtTheirBudget) {
  // Enough small ranges to pass the per-sheet budget; the sheet stays within it.
  std::string formats;
  for (int row = 1; row <= 300; ++row) {
    formats += "<conditionalFormatting sqref=\"A" + std::to_string(row) + ":ZZ" +
               std::to_string(row) + "\">";
    for (int rule = 0; rule < 8; ++rule)
      formats +=
          "<cfRule type=\"cellIs\" dxfId=\"0\" priority=\"1\" operator=\"equal\">"
          "<formula>1</formula></cfRule>";
    formats += "</conditionalFormatting>";
  }
  TXLSXParts parts = Around("", kThreeRows, formats);
  Load(parts);
  long long rules = 0;
  for (int row = 0; row < Sheet().Rows.Count(); ++row)
    for (int col = 0; col < Sheet().Rows[row]->Cells.Count(); ++col)
      if (const TExportConditionalFormatting* format =
              Sheet().Rows[row]->Cells[col]->ConditionalFormattingIfAny())
        rules += format->Count();
  EXPECT_LE(rules, kMaxCondFormatCellsPerSheet);
  EXPECT_GT(rules, kMaxCondFormatCellsPerSheet - 8);
}

TEST_F(XLSXSheetElementsTest, ReadingRowsByEventSkipsWhatFollowsTheCells) {
  TXLSXParts parts =
      Around("<sheetViews><sheetView zoomScale=\"200\" workbookViewId=\"0\"/></sheetViews>",
             kThreeRows, "<mergeCells count=\"1\"><mergeCell ref=\"A1:B1\"/></mergeCells>");
  TMemoryStream stream = parts.Zip();
  Book = std::make_unique<TWorkbook>();
  Book->ShowProgress = false;
  Book->ReadRowsByEvent = true;
  int rows = 0;
  Book->OnRowRead = [&](TWorkbook&, TExportWorkSheet&, TExportRow&) { ++rows; };
  TExporterXLSX exporter;
  Book->LoadFromStream(stream, exporter);
  EXPECT_EQ(rows, 3);
  EXPECT_EQ(Sheet().WindowSettings.Zoom, 200);
  TExportCell* cell = nullptr;
  if (Sheet().FindCell(0, 0, cell)) {
    EXPECT_EQ(cell->ColSpan(), 1);
  }
}

// Two sheets whose order in the workbook part differs from their part names' order.
TXLSXParts TwoSheets(const std::string& definedNames) {
  TXLSXParts parts = Around("", kThreeRows, "");
  parts.Parts["xl/worksheets/sheet2.xml"] = parts.Parts["xl/worksheets/sheet1.xml"];
  parts.SetSheets({{"Second", "worksheets/sheet2.xml"}, {"First", "worksheets/sheet1.xml"}},
                  definedNames);
  return parts;
}

TEST_F(XLSXSheetElementsTest, DefinedNamesPrintAreasAndTitles) {
  Load(TwoSheets(
      "<definedName name=\"_xlnm.Print_Area\" localSheetId=\"0\">Second!$A$1:$B$3</definedName>"
      "<definedName name=\"_xlnm.Print_Titles\" localSheetId=\"1\">First!$1:$2</definedName>"
      "<definedName name=\"_xlnm._FilterDatabase\" localSheetId=\"1\" hidden=\"1\">"
      "First!$A$1:$A$3</definedName>"
      "<definedName name=\"_xlnm.Print_Area\" localSheetId=\"7\">First!$A$1</definedName>"
      "<definedName name=\"_xlnm.Print_Area\" localSheetId=\"x\">First!$A$1</definedName>"
      "<definedName name=\"Totals\">First!$B$1:$B$3</definedName>"
      "<definedName name=\"Alpha\">Second!$A$1</definedName>"
      "<definedName name=\"Nowhere\">Missing!$A$1</definedName>"));
  ASSERT_EQ(Book->WorkSheets.Count(), 2);
  TExportWorkSheet& first = Sheet(0);  // part sheet1.xml
  TExportWorkSheet& second = Sheet(1);
  ASSERT_EQ(first.Name, u"First");
  ASSERT_EQ(second.Name, u"Second");
  // localSheetId counts the workbook's sheet list, where Second comes first.
  EXPECT_TRUE(second.PageSettings.HasPrintArea());
  EXPECT_EQ(second.PageSettings.PrintArea.ColCount, 2);
  EXPECT_EQ(second.PageSettings.PrintArea.RowCount, 3);
  EXPECT_FALSE(first.PageSettings.HasPrintArea());
  EXPECT_EQ(first.PageSettings.TitleRows.Row, 0);
  EXPECT_EQ(first.PageSettings.TitleRows.RowCount, 2);
  EXPECT_FALSE(second.PageSettings.HasPrintTitles());

  const TExportRange* range = nullptr;
  ASSERT_TRUE(Book->NamedCells.FindName(u"Totals", range));
  EXPECT_EQ(range->WorkSheet, &first);
  EXPECT_FALSE(Book->NamedCells.FindName(u"Nowhere", range));
  EXPECT_EQ(Book->NamedCells.Count(), 2);
  // Formulas find the names regardless of case, numbered from 1 in the order of their names.
  TRPNRange found;
  ASSERT_TRUE(Book->FormulaNames->FindName(u"TOTALS", found));
  EXPECT_EQ(found.WorkSheet, &first);
  EXPECT_TRUE(found.Row2Absolute);
  EXPECT_EQ(Book->FormulaNames->NamePosition(u"totals"), 2);
  std::u16string name;
  ASSERT_TRUE(Book->FormulaNames->NameAtPosition(2, name));
  EXPECT_EQ(name, u"Totals");
  EXPECT_FALSE(Book->FormulaNames->NameAtPosition(3, name));
}

TEST_F(XLSXSheetElementsTest, DamagedElementsAreRefusedOrPassedOver) {
  TXLSXParts parts = Around(
      "<cols><col min=\"0\" max=\"99999\" width=\"1e308\"/><col min=\"3\" max=\"2\"/></cols>",
      kThreeRows,
      "<mergeCells><mergeCell ref=\"A1\"/><mergeCell ref=\"ZZZZ1:A1\"/><mergeCell/></mergeCells>"
      "<hyperlinks><hyperlink r:id=\"rId9\"/></hyperlinks>"
      "<conditionalFormatting sqref=\"??? A0:B2\"><cfRule type=\"cellIs\" dxfId=\"5\" "
      "operator=\"equal\"><formula>1</formula></cfRule></conditionalFormatting>"
      "<pageSetup scale=\"-4\" fitToWidth=\"99999999999\"/>");
  Load(parts);
  EXPECT_EQ(Text(0, 2, 0), u"c");
  // Unclosed elements around the cells are malformed XML: a damaged file.
  parts.Parts["xl/worksheets/sheet1.xml"] =
      Worksheet("", kThreeRows, "<mergeCells><mergeCell ref=\"A1:B2\">");
  EXPECT_THROW(Load(parts), EWorkbookFileException);
}

}  // namespace
}  // namespace workbook
