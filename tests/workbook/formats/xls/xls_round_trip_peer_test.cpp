// A workbook using every sheet feature the XLS writer keeps, written once and read by
// python3-xlrd (with formatting), by LibreOffice (converted to .xlsx and read with openpyxl: what
// xlrd does not show) and by our own reader (what no other program's file gives it).
#include <gtest/gtest.h>

#include <string>

#include "../python_peer.h"
#include "workbook/model/cell_date_time.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/conditional_formatting.h"
#include "workbook/model/rich_text.h"
#include "xls_book_fixture.h"
#include "xls_test_support.h"

namespace workbook {
namespace {

using test_support::RunPeer;
using test_support::TScratchDir;

class XLSRoundTripTest : public xls_test::XlsBookTest {
 protected:
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }
  void SetUp() override {
    XlsBookTest::SetUp();
    if (dir_ != nullptr) return;
    // One file for the whole suite: converting it with LibreOffice takes seconds.
    dir_ = new TScratchDir();
    TWorkbook book;
    Fill(book);
    TMemoryStream stream;
    TExporterXLS().ExportToStream(stream, book);
    stream.SaveToFile(dir_->File("book.xls"));
  }

  static void Fill(TWorkbook& book) {
    book.Date1904 = true;
    TExportWorkSheet* sheet = book.AddWorkSheet(u"Data");
    auto text = [sheet](int col, int row, const char16_t* value) {
      auto* cell = static_cast<TExportCellString*>(
          sheet->FindCreateCell(col, row, TCellClass::String, false));
      cell->SetValue(value);
      return cell;
    };
    TExportCell* title = text(0, 0, u"Title");
    title->SetColSpan(2);
    title->SetRowSpan(2);
    auto* total =
        static_cast<TExportCellNumber*>(sheet->FindCreateCell(2, 0, TCellClass::Number, false));
    total->SetValue(10);
    book.NamedCells.AddCellRange(u"Total", sheet, 0, 2);
    sheet->FindCreateCell(3, 0, TCellClass::Number, false)->SetFormula(u"=Total*2");
    text(0, 2, u"link")->SetHyperlink(u"https://example.com/a");
    TExportCellString* rich = text(0, 3, u"bold plain");
    TExportFont bold = rich->GetStyle().GetFont();
    bold.GetStyle().Bold = 1;
    rich->GetRichTextTags().AddTag(1, bold);
    rich->GetRichTextTags().AddTag(5, rich->GetStyle().GetFont());
    // A text formula keeps its result; a formula the format cannot hold leaves its value.
    text(1, 2, u"link")->SetFormula(u"=A3");
    auto* other =
        static_cast<TExportCellNumber*>(sheet->FindCreateCell(2, 2, TCellClass::Number, false));
    other->ReadValue(7);
    other->ReadFormula(u"=Other!A1");

    sheet->Cols.GetCol(1)->Width = 150;
    sheet->Cols.GetCol(2)->Hidden = true;
    sheet->GetRow(5)->Hidden = true;
    sheet->GetRow(6)->SetOutlineLevel(2);
    TExportRow* styled = sheet->GetRow(7);
    styled->GetStyle().GetFontForWrite().GetStyle().Bold = 1;
    styled->AddCellString(u"row");

    TExportConditionalFormatting& rules = total->GetConditionalFormatting();
    TExportConditionalFormattingRule::AddRule(rules.Rules, cfoGreaterThan, u"5", u"")
        ->AssignFormat(clNone, TExportFontStyle(), 0x0000FF);

    TExportPageSettings& page = sheet->PageSettings;
    page.Orientation = 1;
    page.PrintArea.SetRange(0, 0, 4, 10);
    page.TitleRows.SetRows(0, 1);
    sheet->Header.Center.SetExcelText(u"Header text");
    sheet->Footer.Right.SetExcelText(u"Footer text");
    TExportWindowSettings& window = sheet->WindowSettings;
    window.Split.Row = 1;
    window.Zoom = 150;
    window.TabColor = 0x00FF00;
    window.Selection.SetRange(1, 1, 1, 1);
    sheet->Protection.Protected = true;
    book.AddWorkSheet(u"Other")->AddRow()->AddCellNumber(3, 0);

    TExportRow* values = sheet->GetRow(9);
    values->AddCellString(u"text \u017e");
    values->AddCellNumber(1234.5, 2);
    values->AddCellBoolean(true);
    static_cast<TExportCellDateTime*>(values->AddCell(TCellClass::DateTime))->SetValue(45000.25);
    // Long names are cut and kept unique; a long text goes on in CONTINUE records.
    const std::u16string longName(40, u'x');
    book.AddWorkSheet(longName)->AddRow()->AddCellString(std::u16string(9000, u'\u0161'));
    book.AddWorkSheet(longName + u"y");
    // A strict UTF-16 reader refuses a cut surrogate pair: the file must still open.
    TExportRow* row = book.AddWorkSheet(std::u16string{u'S', char16_t{0xDC00}})->AddRow();
    row->AddCellString(std::u16string{u'a', char16_t{0xD800}, u'b'});
    row->AddCellString(u"\U0001F600");
  }

  static TScratchDir* dir_;
};

TScratchDir* XLSRoundTripTest::dir_ = nullptr;

TEST_F(XLSRoundTripTest, XlrdSeesEveryFeature) {
  // One line per fact, as the peer script lists them.
  const auto expected = test_support::ReadFileBytes(TEST_DATA_DIR "/xls/feature_book_xlrd.txt");
  EXPECT_EQ(RunPeer(xls_test::kPeers + "feature_book_xlrd.py", {dir_->File("book.xls")}),
            std::string(expected.begin(), expected.end()));
}

TEST_F(XLSRoundTripTest, LibreOfficeSeesEveryFeature) {
  if (!test_support::LibreOfficeAvailable()) GTEST_SKIP() << "LibreOffice is not installed";
  const std::string xlsx =
      test_support::ConvertWithLibreOffice(*dir_, dir_->File("book.xls"), "xlsx");
  EXPECT_EQ(RunPeer(xls_test::kPeers + "feature_book_openpyxl.py", {xlsx}),
            "=Total*2 =A3 1\n"
            "Header text Footer text True landscape\n");
}

TEST_F(XLSRoundTripTest, OurReaderSeesWhatOnlyOurFileHolds) {
  LoadFile(dir_->File("book.xls"));
  TExportWorkSheet& sheet = Sheet(0);
  EXPECT_EQ(sheet.GetRow(7)->GetStyle().GetFont().GetStyle().Bold, 1);
  EXPECT_EQ(sheet.WindowSettings.Selection.GetText(), u"B2");
  EXPECT_EQ(sheet.PageSettings.TitleRows.Row, 0);
}

}  // namespace
}  // namespace workbook
