// Packages written by our ODS writer, opened by LibreOffice and python3-odf (the independent
// peers) and read back by our own reader.
#include <gtest/gtest.h>

#include <string>

#include "../../model/model_fixture.h"
#include "../python_peer.h"
#include "platform/text_codec.h"
#include "workbook/formats/library_start.h"
#include "workbook/formats/ods/ods_exporter.h"
#include "workbook/model/cell_boolean.h"
#include "workbook/model/cell_comment.h"
#include "workbook/model/cell_date_time.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/conditional_formatting.h"
#include "workbook/model/drawing.h"
#include "workbook/model/limits.h"
#include "workbook/model/rich_text.h"

namespace workbook {
namespace {

using test_support::TScratchDir;

class ODSWriterPeerTest : public ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    if (!test_support::PythonAvailable()) GTEST_SKIP() << "/usr/bin/python3 is not installed";
    StartWorkbookLibrary();
    Book = std::make_unique<TWorkbook>();
  }

  // Writes Book to "out.ods" in the scratch folder.
  std::string Write() {
    TMemoryStream stream;
    TExporterODS exporter;
    exporter.ExportToStream(stream, *Book);
    const std::string file = dir_.File("out.ods");
    stream.SaveToFile(file);
    return file;
  }

  // A sheet with one of every feature the writer carries (see the peers' checks below).
  void BuildFeatureBook() {
    TExportWorkSheet* sheet = Book->AddWorkSheet(u"Data");
    TExportRow* row = sheet->AddRow();
    TExportCell* bold = row->AddCellString(u"Bold red");
    bold->GetStyle().GetFontForWrite().GetStyle().Bold = 1;
    bold->GetStyle().SetBGColor(RGBToColor(0xFF, 0x00, 0x00));
    bold->GetStyle().GetBordersForWrite().GetBorder(TExportCellBorders::bLeft).SetStyle(2);
    bold->GetStyle().SetRotation(-45);
    bold->GetComment().SetText(u"a note");
    TExportCell* amount = row->AddCellNumber(1234.5, 2);
    TExportConditionalFormattingRule::AddRule(amount->GetConditionalFormatting().Rules,
                                              cfoGreaterThan, u"1000", u"")
        ->FillColor = RGBToColor(0x00, 0xFF, 0x00);
    row->AddCell(TCellClass::Percent)->SetFormatCode(u"0%", true);
    static_cast<TExportCellCustomNumber*>(row->Cells[2])->SetValue(0.25);
    row->AddCell(TCellClass::Currency)->SetFormatCode(u"#,##0.00 [$\u20ac-41B]", true);
    static_cast<TExportCellCustomNumber*>(row->Cells[3])->SetValue(99.9);
    auto* date = static_cast<TExportCellDateTime*>(row->AddCell(TCellClass::DateTime));
    date->SetValue(45000);
    row->AddCellBoolean(true);
    TExportCell* formula = row->AddCellNumber(0, 0);
    formula->SetFormula(u"=B1*2");
    auto* rich = row->AddCellString(u"plain bold");
    TExportFont boldRun;
    boldRun.GetStyle().Bold = 1;
    rich->GetRichTextTags().AddTag(7, boldRun);

    TExportRow* tall = sheet->AddRow();
    tall->SetHeight(40);
    tall->AddCellString(u"merged");
    tall->Cells[0]->SetColSpan(3);
    tall->Cells[0]->SetRowSpan(2);
    sheet->AddRow()->AddCellString(u"under");
    TExportRow* hidden = sheet->AddRow();
    hidden->Hidden = true;
    hidden->AddCellString(u"hidden row");

    hidden->SetOutlineLevel(1);
    hidden->PageBreak = true;
    sheet->GetCol(6)->SetOutlineLevel(1);
    sheet->PageSettings.TitleRows.SetRows(0, 1);
    sheet->WindowSettings.AutoFilter.SetRange(0, 0, 3, 2);
    sheet->GetCol(1)->Width = 150;
    sheet->GetCol(5)->Hidden = true;
    sheet->PageSettings.Orientation = 1;
    sheet->Header.Center.SetText(u"Head");
    sheet->Footer.Right.SetText(u"Page [PAGENUMBER]");
    sheet->WindowSettings.Split.Col = 1;
    sheet->WindowSettings.Split.Row = 1;
    sheet->WindowSettings.TabColor = RGBToColor(0x00, 0x00, 0xFF);
    sheet->WindowSettings.Zoom = 150;
    sheet->WindowSettings.ShowGridLines = false;
    Book->Creator = u"\u00da\u010dtovn\u00edk";
    sheet->Protection.Protected = true;
    Book->NamedCells.AddCellRangeSpan(u"Amounts", sheet, 2, 1, 0, 1);

    TMemoryStream picture;
    picture.LoadFromFile(SOURCE_DIR "/tests/data/pictures/dot.png");
    const int image = Book->Drawings.AddImage(picture, u"pic.png");
    sheet->GetRow(2)->FindCreateCell(4, TCellClass::String, false)->AddDrawing(image, 5, 5, 40, 30);

    // Sheet names follow the rule of every writer; each sheet's header regions get text styles
    // of their own. C0 controls other than tab, LF and CR and U+FFFE/U+FFFF are dropped, a lone
    // surrogate becomes U+FFFD.
    for (const char16_t* name : {u"a/b:c", u"A/B:C", u"'quoted'"}) {
      TExportWorkSheet* other = Book->AddWorkSheet(name);
      other->AddRow()->AddCellString(std::u16string(u"a\x01"
                                                    u"b\xFFFE"
                                                    u"c") +
                                     char16_t(0xD800) + u"d\tz");
      other->Header.Left.SetText(name);
      other->Footer.Center.SetText(name);
    }
    Book->WorkSheets[2]->Header.Left.Font.SetSize(20);

    // A name means its own sheet's cells wherever it is used: an address whose sheet is left
    // relative (in either half) moves to the sheet of the formula using it.
    TExportWorkSheet* numbers = Book->AddWorkSheet(u"Nums");
    for (int r = 0; r < 2; ++r) {
      numbers->AddRow()->AddCellNumber(r * 2 + 1, 0);
      numbers->Rows[r]->AddCellNumber(r * 2 + 2, 0);
    }
    Book->NamedCells.AddCellRangeSpan(u"Block", numbers, 2, 2, 0, 0);
    Book->NamedCells.AddCellRangeSpan(u"Columns", numbers, -1, 2, -1, 0);
    Book->NamedCells.AddCellRangeSpan(u"Rows", numbers, 2, -1, 0, -1);
    TExportRow* sums = Book->AddWorkSheet(u"Sums")->AddRow();
    for (const std::u16string name : {u"Block", u"Columns", u"Rows"})
      sums->AddCellNumber(0, 0)->SetFormula(u"=SUM(" + name + u")");
  }

  std::unique_ptr<TWorkbook> Book;
  TScratchDir dir_;
};

TEST_F(ODSWriterPeerTest, LibreOfficeKeepsEveryFeature) {
  if (!test_support::LibreOfficeAvailable()) GTEST_SKIP() << "LibreOffice is not installed";
  BuildFeatureBook();
  const std::string converted = test_support::ConvertWithLibreOffice(dir_, Write(), "xlsx");
  // Headless LibreOffice keeps no view settings: frozen panes are checked with python3-odf.
  EXPECT_EQ(
      test_support::RunPeer("workbook/formats/ods/peers/feature_book_xlsx.py", {converted}),
      "['Bold red', 1234.5, 0.25, 99.9, datetime.datetime(2023, 3, 15, 0, 0), True, "
      "'=B1*2', 'plain bold']\n"
      "['0.00;\\\\-0.00', '0%;\\\\-0%', '#,##0.00\\\\ [$\u20ac];\\\\-#,##0.00\\\\ [$\u20ac]', "
      "'dd\\\\.mm\\\\.yyyy\\\\ hh:mm:ss']\n"
      "True FFFF0000 thin a note\n"
      "True ['A2:C3']\n"
      "True True 30.0 True\n"
      "landscape Head\n"
      "FF0000FF True\n"
      "['Amounts', 'Block', 'Columns', 'Rows'] 1 1\n"
      "$1:$1 A1:C2 [3] 1 1\n"
      "[('Block', None, 'Nums!$A$1:$B$2'), ('Columns', None, 'Nums!$A:$B'), "
      "('Rows', None, 'Nums!$1:$2')]\n"
      "[10, 10, 10]\n");
}

TEST_F(ODSWriterPeerTest, PythonOdfReadsTheFeatureBook) {
  BuildFeatureBook();
  EXPECT_EQ(test_support::RunPeer("workbook/formats/ods/peers/feature_book_odf.py", {Write()}),
            "Data application/vnd.oasis.opendocument.spreadsheet\n"
            "['string', 'float', 'percentage', 'currency', 'date', 'boolean', 'float', 'string']\n"
            "of:=[.B1]*2 plain bold\n"
            "1 1 150 false\n"
            "'\\xda\\u010dtovn\\xedk'\n"
            "['Data', 'a-b-c', 'A-B-C (2)', '-quoted-', 'Nums', 'Sums']\n"
            "mimetype True content.xml styles.xml meta.xml settings.xml META-INF/manifest.xml "
            "Pictures/Pic1.png\n"
            "styles.xml []\ncontent.xml []\n"
            "315\n"
            "'abc\\ufffdd\\tz'\n"
            "['true', None, 'true', 'true']\n");
  // The workbook keeps its own names once the file is written.
  EXPECT_EQ(Book->WorkSheets[2]->Name, u"A-B-C");
  EXPECT_EQ(Book->WorkSheets[3]->Name, u"'quoted'");
}

// The table's repeats as Python's own XML parser sums them (peers/table_shape.py): the sheet always
// totals 1024 columns and 1048576 rows, however many the model uses.
std::string TableShape(const std::string& file) {
  return test_support::RunPeer("workbook/formats/ods/peers/table_shape.py", {file});
}

TEST_F(ODSWriterPeerTest, TablesAreFilledUpToTheWholeSheet) {
  TExportWorkSheet* sheet = Book->AddWorkSheet(u"S");
  sheet->AddRow()->AddCellString(u"a");
  TExportRow* spanned = sheet->AddRow();
  spanned->AddCellString(u"wide");
  spanned->Cells[0]->SetColSpan(4);
  sheet->AddRow()->AddCellNumber(3, 0);
  // The spanned cell's three covered columns come as one repeated covered cell.
  EXPECT_EQ(TableShape(Write()), "1024 1048576 [1048572, 1]\n1024 []\n1024 [3]\n1024 []\n1\n");
  // A cell in the last row and column leaves no empty repeat.
  sheet = Book->AddWorkSheet(u"Corner", 0);
  static_cast<TExportCellString*>(
      sheet->GetRow(1048575)->FindCreateCell(1023, TCellClass::String, false))
      ->SetValue(u"corner");
  EXPECT_EQ(TableShape(Write()), "1024 1048576 [1048575, 1]\n1024 []\n1024 []\n1\n");
}

// A merged cell whose span runs past the sheet's last column or row covers what is left of it,
// as LibreOffice (whose sheets are wider than an .ods file's) reads our file.
TEST_F(ODSWriterPeerTest, MergedCellsEndAtTheLastColumnAndRow) {
  if (!test_support::LibreOfficeAvailable()) GTEST_SKIP() << "LibreOffice is not installed";
  TExportWorkSheet* sheet = Book->AddWorkSheet(u"S");
  TExportCell* wide = sheet->FindCreateCell(1020, 0, TCellClass::String, false);
  static_cast<TExportCellString*>(wide)->SetValue(u"wide");
  wide->SetColSpan(10);
  TExportCell* low = sheet->FindCreateCell(1, kMaxSheetRows - 6, TCellClass::String, false);
  static_cast<TExportCellString*>(low)->SetValue(u"low");
  low->SetColSpan(2);
  low->SetRowSpan(6);
  // The row inserted above moves both down a row; the low one's area still ends at the last row.
  sheet->Rows.AddRow(0);
  EXPECT_EQ(test_support::RunPeer("workbook/formats/peers/merged_openpyxl.py",
                                  {test_support::ConvertWithLibreOffice(dir_, Write(), "xlsx")}),
            "S\tAMG2:AMJ2\tB1048572:C1048576\n");
}

}  // namespace
}  // namespace workbook
