// Columns, merges, names, views, page setup and protection read from files that openpyxl and
// xlwt wrote (independent writers), with the values the scripts gave them as the oracle.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "python_peer.h"
#include "sheet_extras_support.h"
#include "workbook/core/xml/xml_document.h"
#include "workbook/model/merged_ranges.h"

namespace workbook {
namespace {

using Option = TSheetProtectionOption;

constexpr double kCharWidth = 7;

std::string PeerScript(const std::string& name) {
  std::ifstream file(std::string(SOURCE_DIR) + "/tests/workbook/model/peers/" + name);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

class SheetExtrasPeerTest : public test::SheetTest {
 protected:
  void SetUp() override {
    test::SheetTest::SetUp();
    sheet->SetName(u"Data");
    book->AddWorkSheet(u"Q1 'x'");
  }

  // What the XLSX reader does with a worksheet part's elements after the cells.
  void ReadSheetPart(TXmlNode root) {
    for (TXmlNode node : root.Elements()) {
      const std::string_view name = node.LocalName();
      if (name == "sheetPr")
        fitToPage = sheet->WindowSettings.ReadXLSXSheetPr(node, nullptr, nullptr);
      if (name == "sheetViews") sheet->WindowSettings.ReadXLSX(node.Child("sheetView"));
      if (name == "cols") sheet->Cols.ReadXLSX(node, kCharWidth, nullptr);
      if (name == "mergeCells") ReadXLSXMergeCells(*sheet, node);
      if (name == "autoFilter") sheet->WindowSettings.ReadXLSXAutoFilter(node);
      if (name == "sheetProtection") sheet->Protection.ReadXLSX(node);
      if (name == "printOptions") sheet->PageSettings.ReadXLSXPrintOptions(node);
      if (name == "pageMargins") sheet->PageSettings.ReadXLSXMargins(node);
      if (name == "pageSetup") sheet->PageSettings.ReadXLSXPageSetup(node);
      if (name == "headerFooter") {
        sheet->Header.ParseExcelString(node.Child("oddHeader").Text16());
        sheet->Footer.ParseExcelString(node.Child("oddFooter").Text16());
      }
    }
  }

  // What the XLSX reader does with workbook.xml's definedNames.
  void ReadDefinedNames(TXmlNode root) {
    for (TXmlNode node : root.FindPath("definedNames").Elements("definedName")) {
      const std::u16string name = node.Attr16("name");
      if (name.rfind(u"_xlnm.", 0) != 0) {
        book->NamedCells.ReadXLSXDefinedName(name, node.Text16());
      } else if (node.Attr("localSheetId") == "0") {
        if (name == u"_xlnm.Print_Area") sheet->PageSettings.ReadXLSXPrintArea(node.Text16());
        if (name == u"_xlnm.Print_Titles") sheet->PageSettings.ReadXLSXPrintTitles(node.Text16());
      }
    }
  }

  bool fitToPage = true;
};

TEST_F(SheetExtrasPeerTest, OpenpyxlWorkbook) {
  if (!test::PythonHasModules("openpyxl")) GTEST_SKIP() << "python3-openpyxl is not installed";
  const std::string output = test::RunPython(PeerScript("sheet_extras_openpyxl.py"), "");
  const std::size_t marker = output.find("\n@@PART@@\n");
  ASSERT_NE(marker, std::string::npos) << output;
  TXmlDocument sheetPart, workbookPart;
  sheetPart.LoadFromString(output.substr(0, marker));
  workbookPart.LoadFromString(output.substr(marker + 10));
  ReadSheetPart(sheetPart.DocumentElement());
  ReadDefinedNames(workbookPart.DocumentElement());

  EXPECT_FALSE(fitToPage);
  EXPECT_EQ(sheet->WindowSettings.TabColor, RGBToColor(0x10, 0x72, 0xBA));
  EXPECT_EQ(sheet->WindowSettings.Split.Col, 1);
  EXPECT_EQ(sheet->WindowSettings.Split.Row, 2);
  ASSERT_EQ(sheet->Cols.Count(), 5);
  EXPECT_DOUBLE_EQ(sheet->Cols.GetItem(1)->Width, 20 * kCharWidth);
  EXPECT_TRUE(sheet->Cols.GetItem(3)->Hidden);
  EXPECT_EQ(sheet->Cols.GetItem(4)->OutlineLevel(), 2);
  EXPECT_DOUBLE_EQ(sheet->Cols.GetItem(0)->Width, -1);
  TExportCell* cell = nullptr;
  ASSERT_TRUE(sheet->FindCell(1, 1, cell));
  EXPECT_EQ(cell->ColSpan(), 2);
  EXPECT_EQ(cell->RowSpan(), 3);
  ASSERT_TRUE(sheet->FindCell(4, 5, cell));
  EXPECT_EQ(cell->ColSpan(), 4);
  EXPECT_EQ(sheet->WindowSettings.AutoFilter.GetText(), u"'Data'!A1:C10");

  const TExportWorkSheetProtection& protection = sheet->Protection;
  EXPECT_TRUE(protection.Protected);
  EXPECT_EQ(protection.PasswordHash, TExportWorkSheetProtection::PasswordVerifier(u"password"));
  EXPECT_TRUE(protection.IsAllowed(Option::spFormatCells));
  EXPECT_TRUE(protection.IsAllowed(Option::spSelectLockedCells));
  EXPECT_FALSE(protection.IsAllowed(Option::spSort));

  const TExportPageSettings& page = sheet->PageSettings;
  EXPECT_EQ(page.Orientation, 1);
  EXPECT_EQ(page.Scale, 80);
  EXPECT_TRUE(page.UseFirstPageNumber);
  EXPECT_EQ(page.FirstPageNumber, 3);
  EXPECT_DOUBLE_EQ(page.LeftMargin, 2.54);
  EXPECT_DOUBLE_EQ(page.TopMargin, 1.5 * 2.54);
  EXPECT_DOUBLE_EQ(sheet->Header.Margin, 1.0 * 2.54);
  EXPECT_TRUE(page.PrintGridLines);
  EXPECT_EQ(page.Centering, TExportPageSettings::ctHorizontal);
  // The blank after the size is text: only a digit after it would end the size code.
  EXPECT_EQ(sheet->Header.Left.Text, u" Page [PAGENUMBER] of [PAGECOUNT]");
  EXPECT_EQ(sheet->Header.Left.Font.GetName(), u"Tahoma");
  EXPECT_EQ(sheet->Header.Left.Font.GetSize(), 12);
  EXPECT_EQ(sheet->Header.Left.Font.GetStyle().Bold, 1);
  EXPECT_EQ(sheet->Footer.Right.Text, u"[DATE]");
  EXPECT_EQ(page.GetXLSXPrintArea(), u"'Data'!$A$1:$D$20");
  EXPECT_EQ(page.GetXLSXPrintTitles(), u"'Data'!$A:$B,'Data'!$1:$2");

  TExportNamedCells& names = book->NamedCells;
  EXPECT_EQ(names.Count(), 3);
  const TExportRange* range;
  ASSERT_TRUE(names.FindName(u"Rates", range));  // the sheet-scoped "rates" came second
  EXPECT_EQ(range->GetText(), u"'Data'!B2:D10");
  ASSERT_TRUE(names.FindName(u"Quoted", range));
  EXPECT_EQ(range->WorkSheet->Name, u"Q1 'x'");
  ASSERT_TRUE(names.FindName(u"Local", range));
  EXPECT_EQ(range->RowCount, 2);
  EXPECT_FALSE(names.FindName(u"Gone", range));
}

TEST_F(SheetExtrasPeerTest, XlwtWorkbook) {
  if (!test::PythonHasModules("xlwt,olefile")) GTEST_SKIP() << "python3-xlwt or olefile missing";
  const std::string hex = test::RunPython(PeerScript("sheet_extras_xlwt.py"), "");
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  ASSERT_GT(bytes.size(), 4u) << hex;
  TMemoryStream stream(bytes);
  TXLSRecordReader reader(stream);
  while (reader.Next()) {
    const std::uint16_t id = reader.Id();
    if (id == 0x000A) break;  // EOF of the worksheet
    if (id == 0x007D) sheet->Cols.ReadXLS(reader, kCharWidth, nullptr);
    if (id == 0x00E5) ReadXLSMergedCells(*sheet, reader);
    if (id == 0x0041) sheet->WindowSettings.Split.ReadXLS(reader);
    if (id == 0x0012) sheet->Protection.ReadXLSProtect(reader);
    if (id == 0x0013) sheet->Protection.ReadXLSPassword(reader);
    sheet->PageSettings.ReadXLSRecord(id, reader);
  }
  ASSERT_GE(sheet->Cols.Count(), 4);
  EXPECT_DOUBLE_EQ(sheet->Cols.GetItem(1)->Width, 20 * kCharWidth);
  EXPECT_TRUE(sheet->Cols.GetItem(3)->Hidden);
  EXPECT_DOUBLE_EQ(sheet->Cols.GetItem(3)->Width, kCharWidth);
  TExportCell* cell = nullptr;
  ASSERT_TRUE(sheet->FindCell(1, 1, cell));
  EXPECT_EQ(cell->ColSpan(), 2);
  EXPECT_EQ(cell->RowSpan(), 3);
  EXPECT_EQ(sheet->WindowSettings.Split.Col, 1);
  EXPECT_EQ(sheet->WindowSettings.Split.Row, 2);
  EXPECT_TRUE(sheet->Protection.Protected);
  EXPECT_EQ(sheet->Protection.PasswordHash, 0xCC1A);
  EXPECT_EQ(sheet->Header.Left.Text, u"Page [PAGENUMBER] of [PAGECOUNT]");
  EXPECT_EQ(sheet->Footer.Right.Text, u"[DATE]");
  const TExportPageSettings& page = sheet->PageSettings;
  EXPECT_DOUBLE_EQ(page.LeftMargin, 2.54);
  EXPECT_DOUBLE_EQ(page.TopMargin, 1.5 * 2.54);
  EXPECT_NEAR(sheet->Header.Margin, 2.54, 1e-9);
  EXPECT_EQ(page.Orientation, 1);
  EXPECT_EQ(page.Scale, 80);
  EXPECT_TRUE(page.PrintGridLines);
  EXPECT_EQ(page.Centering, TExportPageSettings::ctHorizontal);
}

}  // namespace
}  // namespace workbook
