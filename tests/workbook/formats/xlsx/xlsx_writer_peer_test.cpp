// Packages written by our XLSX writer, read back by openpyxl (the independent peer) and checked
// structurally: every part typed, every relationship target present, every part well-formed.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "../python_peer.h"
#include "platform/text_codec.h"
#include "workbook/formats/library_start.h"
#include "workbook/formats/xlsx/xlsx_exporter.h"
#include "workbook/formats/zip/compression_stream.h"
#include "workbook/model/cell_comment.h"
#include "workbook/model/cell_date_time.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/conditional_formatting.h"
#include "workbook/model/drawing.h"
#include "workbook/model/limits.h"
#include "workbook/model/rich_text.h"
#include "xlsx_test_support.h"

namespace workbook {
namespace {

using test_support::TScratchDir;

class XLSXWriterPeerTest : public XLSXReaderTest {
 protected:
  void SetUp() override {
    XLSXReaderTest::SetUp();
    if (!test_support::PythonAvailable()) GTEST_SKIP() << "/usr/bin/python3 is not installed";
    StartWorkbookLibrary();
    Book = std::make_unique<TWorkbook>();
  }

  // Writes Book and returns what the probe of peers/written_xlsx.py reads of the file, once the
  // package passed its structure check.
  std::string Probe(const std::string& probe) {
    TMemoryStream stream;
    TExporterXLSX exporter;
    exporter.ExportToStream(stream, *Book);
    const std::string file = dir_.File("out.xlsx");
    stream.SaveToFile(file);
    return test_support::RunPeer("workbook/formats/xlsx/peers/written_xlsx.py", {file, probe});
  }

  TScratchDir dir_;
};

// In the 1904 date system, which keeps the dates (the large sheet's serial shows the 1900 system).
TEST_F(XLSXWriterPeerTest, ValuesNamesAndFormatsReachOpenpyxl) {
  Book->Date1904 = true;
  TExportWorkSheet* sheet = Book->AddWorkSheet(u"Dane \u010d\u00e1stky & <DPH>");
  TExportRow* row = sheet->AddRow();
  row->AddCellString(u"  padded ");
  row->AddCellNumber(1234.5, 2);
  row->AddCellBoolean(true);
  auto* date = static_cast<TExportCellDateTime*>(row->AddCell(TCellClass::DateTime));
  date->SetValue(45000.25);
  row->AddCellString(
      u"bad\x01"
      u"char");
  TExportRow* second = sheet->AddRow();
  second->AddCellString(u"line1\r\nline2");
  second->AddCellNumber(-0.125, 3);
  Book->AddWorkSheet(u"Druh\u00fd");
  EXPECT_EQ(Probe("values"),
            "1904 Dane \xc4\x8d\xc3\xa1stky & <DPH>|Druh\xc3\xbd\n"
            // openpyxl shows the escape of the control character as it stands in the file.
            "['  padded ', 1234.5, True, datetime.datetime(2023, 3, 15, 6, 0), 'bad_x0001_char']\n"
            "['line1\\nline2', -0.125, None, None, None]\n"
            "0.00;\\-0.00 dd.mm.yyyy hh:mm:ss\n");
}

TEST_F(XLSXWriterPeerTest, NumbersKeepEveryDigitAcrossALargeSheet) {
  TExportWorkSheet* sheet = Book->AddWorkSheet(u"S");
  TExportRow* first = sheet->AddRow();
  for (double value : {0.1 + 0.2, 1.0 / 3, 2.0 / 3 * 1e300, -5e-324, 1234567890123456.7})
    first->AddCellNumber(value, 2);
  auto* date = static_cast<TExportCellDateTime*>(first->AddCell(TCellClass::DateTime));
  date->SetValue(45000 + 1.0 / 3);
  date->SetFormatCode(u"0.0000000000000000", false);
  // Enough rows for the sheet's XML to be deflated in several pieces.
  for (int r = 1; r < 3000; ++r) {
    TExportRow* row = sheet->AddRow();
    for (int c = 0; c < 10; ++c) row->AddCellNumber(r * 10 + c + 0.25, 2);
  }
  EXPECT_EQ(Probe("numbers"),
            "0.30000000000000004 0.3333333333333333 6.666666666666667e+299 -5e-324 "
            "1234567890123456.8 45000.333333333336\n"
            "3000 29990 True\n");
}

// Sheets of several parts, an empty sheet, and shared strings of several parts read the same in
// openpyxl whether the parts are held deflated while the package is assembled or not.
TEST_F(XLSXWriterPeerTest, PartsHeldDeflatedOrPlainReachOpenpyxlAlike) {
  TExportWorkSheet* big = Book->AddWorkSheet(u"Big");
  for (int r = 0; r < 2100; ++r) {
    TExportRow* row = big->AddRow();
    for (int c = 0; c < 9; ++c) row->AddCellNumber(r * 9 + c, 0);
    row->AddCellString(u"text " + platform::Utf8ToUtf16(std::to_string(r * 5)));
    row->AddCellString(u"text " + platform::Utf8ToUtf16(std::to_string(r * 5 + 1)));
    row->AddCellString(u"text " + platform::Utf8ToUtf16(std::to_string(r * 5 + 2)));
    row->AddCellString(u"text " + platform::Utf8ToUtf16(std::to_string(r * 5 + 3)));
    row->AddCellString(u"text " + platform::Utf8ToUtf16(std::to_string(r * 5 + 4)));
  }
  Book->AddWorkSheet(u"Empty");
  Book->AddWorkSheet(u"One")->AddRow()->AddCellString(u"text 0");
  // 29,400 cells: three parts of the first sheet; 10,500 texts: two parts of the shared strings.
  const std::string expected =
      "Big 2100 14 29400 178595550 10500 text 10499\n"
      "Empty 1 1 0 0 0 None\n"
      "One 1 1 1 0 1 text 0\n"
      "10500\n";
  const bool saved = WorkbookCompressTempData;
  for (const bool compress : {true, false}) {
    SCOPED_TRACE(compress ? "held deflated" : "held plain");
    WorkbookCompressTempData = compress;
    EXPECT_EQ(Probe("sheets"), expected);
  }
  WorkbookCompressTempData = saved;
}

TEST_F(XLSXWriterPeerTest, StylesAndRulesReachOpenpyxl) {
  TExportRow* row = Book->AddWorkSheet(u"S")->AddRow();
  TExportCell* bold = row->AddCellString(u"bold");
  bold->GetStyle().GetFontForWrite().GetStyle().Bold = 1;
  bold->GetStyle().SetBGColor(RGBToColor(0xFF, 0x00, 0x00));
  TExportCell* framed = row->AddCellString(u"framed");
  framed->GetStyle().GetBordersForWrite().GetBorder(TExportCellBorders::bLeft).SetStyle(2);
  framed->GetStyle().SetAlignment(TExportCellStyle::haRight);
  framed->GetStyle().SetWrapText(true);
  TExportCell* ruled = row->AddCellNumber(5, 0);
  auto* rule = TExportConditionalFormattingRule::AddRule(ruled->GetConditionalFormatting().Rules,
                                                         cfoGreaterThan, u"3", u"");
  rule->AssignFormat(clNone, TExportFontStyle(), RGBToColor(0, 0xFF, 0));
  EXPECT_EQ(Probe("styles"),
            "True solid FFFF0000\n"
            "thin right True False\n"
            "False None None\n"
            "C1 cellIs greaterThan ['3'] 0 FF00FF00\n");
}

TEST_F(XLSXWriterPeerTest, MergedCellFillsItsAreaEvenInRowsWithoutCells) {
  TExportWorkSheet* sheet = Book->AddWorkSheet(u"S");
  TExportCell* merged = sheet->FindCreateCell(1, 1, TCellClass::String, false);
  static_cast<TExportCellString*>(merged)->SetValue(u"wide");
  merged->SetColSpan(2);
  merged->SetRowSpan(3);
  EXPECT_EQ(Probe("merged"),
            "['B2:C4'] wide\n"
            // Rows the merged area alone covers start at column A, each cell styled.
            "['B2', 'C2', 'A3', 'B3', 'C3', 'A4', 'B4', 'C4']\n"
            "A1:C4\n");
}

TEST_F(XLSXWriterPeerTest, MergedCellEndsAtTheLastRow) {
  TExportWorkSheet* sheet = Book->AddWorkSheet(u"S");
  TExportCell* merged = sheet->FindCreateCell(1, kMaxSheetRows - 6, TCellClass::String, false);
  static_cast<TExportCellString*>(merged)->SetValue(u"low");
  merged->SetColSpan(2);
  merged->SetRowSpan(6);
  // The row inserted above moves the merged cell down; its area still ends at the last row.
  sheet->Rows.AddRow(0);
  EXPECT_EQ(Probe("merged"),
            "['B1048572:C1048576'] None\n"
            "['B1048572', 'C1048572', 'A1048573', 'B1048573', 'C1048573', 'A1048574', 'B1048574', "
            "'C1048574', 'A1048575', 'B1048575', 'C1048575', 'A1048576', 'B1048576', 'C1048576']\n"
            "A1:C1048576\n");
}

TEST_F(XLSXWriterPeerTest, SharedStringsAreWrittenOnlyWhenUsed) {
  TExportRow* row = Book->AddWorkSheet(u"S")->AddRow();
  row->AddCellString(u"inline")->SetSharedString(false);
  EXPECT_EQ(Probe("inline_strings"), "False False\nFalse False\nTrue\n");

  for (int i = 0; i < 3; ++i) {
    auto* cell = row->AddCellString(i < 2 ? u" twice " : u"once");
    cell->SetSharedString(true);
  }
  EXPECT_EQ(Probe("shared_strings"), "2 True True\n['inline', ' twice ', ' twice ', 'once']\n");
}

// A text many cells share is one entry, found again by its characters' address; equal texts kept
// apart are one entry too, a rich text its own. Rows written by event are freed as they go, so a
// later row's text may be made where an earlier one's was: each still gets its own entry.
TEST_F(XLSXWriterPeerTest, EachTextGetsItsOwnEntryHoweverItIsShared) {
  TExportWorkSheet* sheet = Book->AddWorkSheet(u"S");
  const TPackedText longText(std::u16string(32'767, u'L'));
  Book->WriteRowsByEvent = true;
  sheet->OnAddRow = [&](TWorkbook&, TCustomExporter&, TExportWorkSheet& target, int r) {
    if (r >= 4) return;
    TExportRow* row = target.AddRow();
    const std::u16string own = u"row " + std::u16string(1, static_cast<char16_t>(u'0' + r));
    row->AddCellString(own)->SetSharedString(true);
    for (int c = 0; c < 3; ++c) {
      auto* shared = static_cast<TExportCellString*>(row->AddCell(TCellClass::String));
      shared->SetValueShared(longText);
    }
    row->AddCellString(longText.ToString());
    if (r == 3) {
      TExportCellString* rich = row->AddCellString(u"row 0");
      TExportFont bold;
      bold.GetStyle().Bold = 1;
      rich->GetRichTextTags().AddTag(2, bold);
    }
  };
  EXPECT_EQ(Probe("shared_table"),
            "6 2\n"
            "['row 0', 'LLLLLL x32767', 'LLLLLL x32767', 'LLLLLL x32767', 'LLLLLL x32767']\n"
            "['row 1', 'LLLLLL x32767', 'LLLLLL x32767', 'LLLLLL x32767', 'LLLLLL x32767']\n"
            "['row 2', 'LLLLLL x32767', 'LLLLLL x32767', 'LLLLLL x32767', 'LLLLLL x32767']\n"
            "['row 3', 'LLLLLL x32767', 'LLLLLL x32767', 'LLLLLL x32767', 'LLLLLL x32767', "
            "'row 0']\n");
}

// Relationship ids: the links first, then the drawing, the comments and their VML part. Columns:
// equal neighbours share one col, and one col closes the list up to 16384.
TEST_F(XLSXWriterPeerTest, SheetRelationshipsAndColumnsAsTheyAreNumbered) {
  TExportWorkSheet* sheet = Book->AddWorkSheet(u"S");
  for (int i = 0; i < 2; ++i) {
    auto* link =
        static_cast<TExportCellString*>(sheet->FindCreateCell(i, 0, TCellClass::String, false));
    link->SetValue(u"x");
    link->SetHyperlink(i == 0 ? u"https://a.example/" : u"https://b.example/?q=1&r=2");
  }
  TMemoryStream picture(std::vector<std::uint8_t>{'G', 'I', 'F', '8', '9', 'a'});
  const int image = Book->Drawings.AddImage(picture, u"p.gif");
  sheet->FindCreateCell(3, 3, TCellClass::Empty, false)->AddDrawing(image, 0, 0, 10, 10);
  sheet->FindCreateCell(2, 1, TCellClass::Empty, false)->GetComment().SetText(u"note");
  sheet->GetCol(1)->Width = 100;
  sheet->GetCol(2)->Width = 100;
  const std::string out = Probe("relationships");
  EXPECT_EQ(out,
            "rId1 hyperlink https://a.example/\n"
            "rId2 hyperlink https://b.example/?q=1&amp;r=2\n"
            "rId3 drawing /xl/drawings/drawing1.xml\n"
            "rId4 comments /xl/comments1.xml\n"
            "rId5 vmlDrawing /xl/drawings/vmlDrawing1.vml\n"
            "[('drawing', 'rId3'), ('legacyDrawing', 'rId5')]\n"
            "[('1', '1'), ('2', '3'), ('4', '4'), ('5', '16384')]\n"
            "1\nTrue\n");
}

}  // namespace
}  // namespace workbook
