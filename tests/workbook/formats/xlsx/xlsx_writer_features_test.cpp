// One workbook holding every sheet feature the XLSX writer carries, written once and read by
// openpyxl and by LibreOffice (which opens it and saves it again, so what it understood survives).
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <map>

#include "../python_peer.h"
#include "workbook/formats/library_start.h"
#include "workbook/formats/xlsx/xlsx_exporter.h"
#include "workbook/model/cell.h"
#include "workbook/model/cell_comment.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/drawing.h"
#include "workbook/model/rich_text.h"
#include "xlsx_test_support.h"

namespace workbook {
namespace {

using test_support::TScratchDir;

// "key=value" lines as a map.
std::map<std::string, std::string> Lines(const std::string& text) {
  std::map<std::string, std::string> lines;
  for (const std::string& line : test_support::SplitLines(text)) {
    const std::size_t equals = line.find('=');
    if (equals != std::string::npos) lines[line.substr(0, equals)] = line.substr(equals + 1);
  }
  return lines;
}

// Each feature of the written file as openpyxl reads it (peers/describe_features.py).
std::map<std::string, std::string> Describe(const std::string& file) {
  return Lines(test_support::RunPeer("workbook/formats/xlsx/peers/describe_features.py", {file}));
}

// What openpyxl reads from the written file.
std::map<std::string, std::string> Features() {
  std::ifstream in(SOURCE_DIR "/tests/data/xlsx/features_openpyxl.txt");
  return Lines(std::string(std::istreambuf_iterator<char>(in), {}));
}

void ExpectFeatures(const std::map<std::string, std::string>& got,
                    const std::map<std::string, std::string>& expected) {
  for (const auto& [key, value] : expected)
    EXPECT_EQ(got.count(key) ? got.at(key) : "(missing)", value) << key;
}

class XLSXWriterFeaturesTest : public XLSXReaderTest {
 protected:
  void SetUp() override {
    XLSXReaderTest::SetUp();
    if (!test_support::PythonAvailable()) GTEST_SKIP() << "/usr/bin/python3 is not installed";
    StartWorkbookLibrary();
    Book = std::make_unique<TWorkbook>();
    Build();
    TMemoryStream stream;
    TExporterXLSX exporter;
    exporter.ExportToStream(stream, *Book);
    file_ = dir_.File("features.xlsx");
    stream.SaveToFile(file_);
  }

  void Build() {
    TExportWorkSheet& sheet = *Book->AddWorkSheet(u"Data [1]");
    TExportRow* first = sheet.AddRow();
    auto* rich = first->AddCellString(u"plain bold");
    TExportFont bold;
    bold.GetStyle().Bold = 1;
    rich->GetRichTextTags().AddTag(7, bold);
    sheet.GetRow(1)->FindCreateCell(1, TCellClass::Number, false);
    static_cast<TExportCellNumber*>(sheet.GetRow(1)->Cells.PeekItem(1))->SetValue(42);
    sheet.GetRow(1)->Cells.PeekItem(1)->GetComment().SetText(u"Check this");
    sheet.GetCol(1)->Width = 150;
    sheet.GetCol(2)->Hidden = true;
    sheet.GetCol(3)->SetOutlineLevel(2);
    sheet.GetCol(3)->PageBreak = true;
    sheet.GetRow(2)->SetHeight(40);
    sheet.GetRow(3)->Hidden = true;
    sheet.GetRow(4)->SetOutlineLevel(1);
    TExportCell* merged = sheet.FindCreateCell(0, 5, TCellClass::String, false);
    merged->SetColSpan(2);
    merged->SetRowSpan(2);
    auto* link =
        static_cast<TExportCellString*>(sheet.FindCreateCell(0, 7, TCellClass::String, false));
    link->SetValue(u"site");
    link->SetHyperlink(u"https://example.com/?a=1&b=2");
    auto* wide =
        static_cast<TExportCellString*>(sheet.FindCreateCell(5, 0, TCellClass::String, false));
    wide->SetValue(u"a text far wider than any default column would show");
    wide->SetAutoWidth(true);
    auto* tall =
        static_cast<TExportCellString*>(sheet.FindCreateCell(4, 8, TCellClass::String, false));
    tall->SetValue(u"one two three four five six seven eight nine ten eleven twelve");
    // Wrapped heights need the windowing binding's fonts; a large font sizes the row here.
    tall->GetStyle().GetFontForWrite().SetSize(24);
    sheet.GetRow(9)->PageBreak = true;
    static_cast<TExportCellNumber*>(sheet.FindCreateCell(0, 10, TCellClass::Number, false))
        ->SetValue(std::numeric_limits<double>::quiet_NaN());
    static_cast<TExportCellString*>(sheet.FindCreateCell(0, 11, TCellClass::String, false))
        ->SetValue(u"_x000D_ literal");
    // A styled column left of a merge over two rows: the empty cells that complete the rows
    // under the merge must keep the column's fill.
    sheet.GetCol(1)->GetStyle().SetBGColor(RGBToColor(0xFF, 0xFF, 0x00));
    sheet.FindCreateCell(3, 13, TCellClass::String, false)->SetRowSpan(2);
    TMemoryStream picture;
    picture.LoadFromFile(SOURCE_DIR "/tests/data/pictures/dot.png");
    const int image = Book->Drawings.AddImage(picture, u"dot.png");
    sheet.FindCreateCell(4, 9, TCellClass::Empty, false)->AddDrawing(image, 3, 2, 40, 20);

    sheet.WindowSettings.Split.Row = 1;
    sheet.WindowSettings.Split.Col = 1;
    sheet.WindowSettings.Zoom = 150;
    sheet.WindowSettings.ShowGridLines = false;
    sheet.WindowSettings.TabColor = RGBToColor(0xFF, 0x00, 0x00);
    sheet.WindowSettings.AutoFilter.SetRange(0, 0, 3, 5);
    sheet.Protection.Protected = true;
    sheet.Protection.Password = u"secret";
    sheet.Protection.Options |= SheetProtectionBit(TSheetProtectionOption::spFormatCells);
    sheet.PageSettings.Orientation = 1;
    sheet.PageSettings.Scale = 80;
    sheet.PageSettings.Centering = 1;
    sheet.PageSettings.PrintGridLines = true;
    sheet.PageSettings.LeftMargin = 2.54;
    sheet.PageSettings.PrintArea.SetRange(0, 0, 4, 20);
    sheet.PageSettings.TitleRows.SetRows(0, 1);
    sheet.Header.Left.SetText(u"Page [PAGENUMBER]");
    sheet.Footer.Center.SetText(u"[SHEETNAME]");
    Book->NamedCells.AddCellRange(u"Total", &sheet, 1, 1);
    Book->AddWorkSheet(u"data -1-");
  }

  TScratchDir dir_;
  std::string file_;
};

TEST_F(XLSXWriterFeaturesTest, OpenpyxlReadsEveryFeature) {
  ExpectFeatures(Describe(file_), Features());
}

// LibreOffice opens the file and saves it again: what it did not understand is gone. A headless
// conversion drops every view setting (frozen panes, zoom, grid lines) whoever wrote the file,
// and the tab colour of a protected sheet, so openpyxl alone checks those.
TEST_F(XLSXWriterFeaturesTest, LibreOfficeKeepsEveryFeature) {
  if (!test_support::LibreOfficeAvailable()) GTEST_SKIP() << "LibreOffice is not installed";
  const std::map<std::string, std::string> got =
      Describe(test_support::ConvertWithLibreOffice(dir_, file_, "xlsx"));
  std::map<std::string, std::string> expected = Features();
  for (const char* lost : {"freeze", "grid", "tab", "zoom"}) expected.erase(lost);
  expected["nan"] = "=#NUM!";               // kept as the error, written as a formula giving it
  expected["password"] = "daa7";            // the same verifier in lower case
  expected["literal"] = "_x000D_ literal";  // our escaped underscore read as the literal text
  ExpectFeatures(got, expected);
}

}  // namespace
}  // namespace workbook
