// One workbook holding every sheet feature the XLSX writer carries, written once and read by
// openpyxl, by LibreOffice (which opens it and saves it again, so what it understood survives)
// and by our own reader.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <sstream>

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

using test_support::RunPython;
using test_support::TScratchDir;

const std::vector<std::uint8_t> kPng = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44,
    0x52, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x02, 0x08, 0x02, 0x00, 0x00, 0x00, 0xF0,
    0xCA, 0xEA, 0x34, 0x00, 0x00, 0x00, 0x10, 0x49, 0x44, 0x41, 0x54, 0x78, 0xDA, 0x63, 0xF8,
    0xCF, 0xC0, 0x00, 0x47, 0x0C, 0xC8, 0x1C, 0x00, 0x6F, 0xAA, 0x07, 0xF9, 0x68, 0xDD, 0xAF,
    0xA7, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

// One "key=value" line per feature of the first sheet (and the workbook's names).
const char* kDescribe = R"(
import sys
from openpyxl import load_workbook
wb = load_workbook(sys.argv[1])
ws = wb.worksheets[0]
out = {}
out['sheets'] = '|'.join(wb.sheetnames)
d = ws.column_dimensions
out['width.B>C'] = d['B'].width > d['A'].width * 1.5
out['hidden.C'] = d['C'].hidden
out['outline.D'] = d['D'].outlineLevel
out['autowidth.F'] = d['F'].width > d['A'].width * 2
r = ws.row_dimensions
out['height.3'] = r[3].height
out['hidden.4'] = r[4].hidden
out['outline.5'] = r[5].outlineLevel
out['autoheight.9'] = (r[9].height or 0) > 2 * (r[1].height or 15)
out['freeze'] = ws.freeze_panes
out['zoom'] = ws.sheet_view.zoomScale
out['grid'] = ws.sheet_view.showGridLines
out['tab'] = ws.sheet_properties.tabColor.rgb if ws.sheet_properties.tabColor else None
out['protected'] = ws.protection.sheet
out['formatCells'] = ws.protection.formatCells
out['password'] = ws.protection.password
out['filter'] = ws.auto_filter.ref
out['merged'] = ' '.join(sorted(str(m) for m in ws.merged_cells.ranges))
out['link'] = ws['A8'].hyperlink.target if ws['A8'].hyperlink else None
out['orientation'] = ws.page_setup.orientation
out['scale'] = ws.page_setup.scale
out['centered'] = ws.print_options.horizontalCentered
out['gridlines'] = ws.print_options.gridLines
out['left'] = round(ws.page_margins.left, 3)
out['header'] = ws.oddHeader.left.text
out['footer'] = ws.oddFooter.center.text
out['rowbreaks'] = [b.id for b in ws.row_breaks.brk]
out['colbreaks'] = [b.id for b in ws.col_breaks.brk]
out['printarea'] = ws.print_area
out['titles'] = ws.print_title_rows
names = wb.defined_names
out['total'] = names['Total'].attr_text if 'Total' in names else None
out['comment'] = ws['B2'].comment.text if ws['B2'].comment else None
out['images'] = len(ws._images)
anchor = ws._images[0].anchor._from if ws._images else None
out['image.at'] = (anchor.col, anchor.row) if anchor else None
out['rich'] = ws['A1'].value
out['nan'] = ws['A11'].value
out['literal'] = ws['A12'].value
for key in sorted(out):
    print('%s=%s' % (key, out[key]))
)";

std::map<std::string, std::string> Lines(const std::string& text) {
  std::map<std::string, std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    const std::size_t equals = line.find('=');
    if (equals != std::string::npos) lines[line.substr(0, equals)] = line.substr(equals + 1);
  }
  return lines;
}

// What openpyxl reads from the written file.
const std::map<std::string, std::string> kFeatures = {{"autoheight.9", "True"},
                                                      {"autowidth.F", "True"},
                                                      {"centered", "True"},
                                                      {"colbreaks", "[3]"},
                                                      {"comment", "Check this"},
                                                      {"filter", "A1:C5"},
                                                      {"footer", "&A"},
                                                      {"formatCells", "False"},
                                                      {"freeze", "B2"},
                                                      {"grid", "False"},
                                                      {"gridlines", "True"},
                                                      {"header", "Page &P"},
                                                      {"height.3", "30.0"},
                                                      {"hidden.4", "True"},
                                                      {"hidden.C", "True"},
                                                      {"image.at", "(4, 9)"},
                                                      {"images", "1"},
                                                      {"left", "1.0"},
                                                      {"link", "https://example.com/?a=1&b=2"},
                                                      {"merged", "A6:B7"},
                                                      {"nan", "#NUM!"},
                                                      {"orientation", "landscape"},
                                                      {"outline.5", "1"},
                                                      {"outline.D", "2"},
                                                      {"password", "DAA7"},
                                                      {"printarea", "['$A$1:$D$20']"},
                                                      {"protected", "True"},
                                                      {"rich", "plain bold"},
                                                      {"rowbreaks", "[9]"},
                                                      {"scale", "80"},
                                                      {"sheets", "Data -1-|data -1- (2)"},
                                                      {"tab", "FFFF0000"},
                                                      {"titles", "$1:$1"},
                                                      {"total", "'Data -1-'!$B$2"},
                                                      {"width.B>C", "True"},
                                                      {"zoom", "150"}};

void ExpectFeatures(const std::map<std::string, std::string>& got,
                    const std::map<std::string, std::string>& expected) {
  for (const auto& [key, value] : expected) {
    const auto found = got.find(key);
    ASSERT_NE(found, got.end()) << key;
    EXPECT_EQ(found->second, value) << key;
  }
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
    TMemoryStream picture(kPng);
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

  std::string Describe(const std::string& file) {
    return RunPython(dir_, "import sys\nsys.argv = ['', '" + file + "']\n" + kDescribe);
  }

  TScratchDir dir_;
  std::string file_;
};

TEST_F(XLSXWriterFeaturesTest, OpenpyxlReadsEveryFeature) {
  const std::map<std::string, std::string> got = Lines(Describe(file_));
  ExpectFeatures(got, kFeatures);
}

// LibreOffice opens the file and saves it again: what it did not understand is gone. A headless
// conversion drops every view setting (frozen panes, zoom, grid lines) whoever wrote the file,
// and the tab colour of a protected sheet, so those are checked by openpyxl and our reader.
TEST_F(XLSXWriterFeaturesTest, LibreOfficeKeepsEveryFeature) {
  if (!test_support::LibreOfficeAvailable()) GTEST_SKIP() << "LibreOffice is not installed";
  const std::map<std::string, std::string> got =
      Lines(Describe(test_support::ConvertWithLibreOffice(dir_, file_, "xlsx")));
  std::map<std::string, std::string> expected = kFeatures;
  for (const char* lost : {"freeze", "grid", "tab", "zoom"}) expected.erase(lost);
  expected["nan"] = "=#NUM!";               // kept as the error, written as a formula giving it
  expected["password"] = "daa7";            // the same verifier in lower case
  expected["literal"] = "_x000D_ literal";  // our escaped underscore read as the literal text
  ExpectFeatures(got, expected);
}

TEST_F(XLSXWriterFeaturesTest, OurReaderReadsEveryFeatureBack) {
  std::unique_ptr<TWorkbook> written = std::move(Book);
  TFileStream file(file_, TFileMode::OpenRead);
  LoadStream(file);
  ASSERT_EQ(Book->WorkSheets.Count(), 2);
  TExportWorkSheet& sheet = *Book->WorkSheets.GetItem(0);
  EXPECT_EQ(sheet.Name, u"Data -1-");
  EXPECT_EQ(Book->WorkSheets.GetItem(1)->Name, u"data -1- (2)");

  EXPECT_NEAR(sheet.Cols.FindCol(1)->Width, 150, 1);
  EXPECT_TRUE(sheet.Cols.FindCol(2)->Hidden);
  EXPECT_EQ(sheet.Cols.FindCol(3)->OutlineLevel(), 2);
  EXPECT_TRUE(sheet.Cols.FindCol(3)->PageBreak);
  EXPECT_GT(sheet.Cols.FindCol(5)->Width, 2 * sheet.Cols.FindCol(0)->Width);
  EXPECT_NEAR(sheet.Rows.PeekItem(2)->Height, 40, 0.01);
  EXPECT_TRUE(sheet.Rows.PeekItem(3)->Hidden);
  EXPECT_EQ(sheet.Rows.PeekItem(4)->OutlineLevel, 1);
  EXPECT_GT(sheet.Rows.PeekItem(8)->Height, 1.5 * sheet.Rows.PeekItem(0)->Height);
  EXPECT_TRUE(sheet.Rows.PeekItem(9)->PageBreak);

  TExportCell* cell = nullptr;
  ASSERT_TRUE(sheet.FindCell(0, 0, cell));
  auto* rich = static_cast<TExportCellString*>(cell);
  ASSERT_TRUE(rich->HasRichText());
  EXPECT_EQ(rich->GetRichTextTags().GetTag(0)->Position, 7);
  ASSERT_TRUE(sheet.FindCell(1, 1, cell));
  ASSERT_NE(cell->CommentIfAny(), nullptr);
  EXPECT_EQ(cell->CommentIfAny()->GetText(), u"Check this");
  ASSERT_TRUE(sheet.FindCell(0, 5, cell));
  EXPECT_EQ(cell->ColSpan(), 2);
  EXPECT_EQ(cell->RowSpan(), 2);
  ASSERT_TRUE(sheet.FindCell(0, 7, cell));
  EXPECT_EQ(static_cast<TExportCellString*>(cell)->GetHyperlink(), u"https://example.com/?a=1&b=2");
  ASSERT_TRUE(sheet.FindCell(4, 9, cell));
  ASSERT_NE(cell->DrawingsIfAny(), nullptr);
  const TClassRect& bounds = cell->DrawingsIfAny()->GetItem(0)->Bounds;
  EXPECT_EQ(bounds.Left, 3);
  EXPECT_EQ(bounds.Top, 2);
  EXPECT_EQ(bounds.GetWidth(), 40);
  EXPECT_EQ(bounds.GetHeight(), 20);
  ASSERT_TRUE(sheet.FindCell(0, 10, cell));
  EXPECT_EQ(cell->CellClass(), TCellClass::Boolean);  // the reader's error cell
  EXPECT_EQ(Text(0, 11, 0), u"_x000D_ literal");

  const TExportWindowSettings& view = sheet.WindowSettings;
  EXPECT_EQ(view.Split.Row, 1);
  EXPECT_EQ(view.Split.Col, 1);
  EXPECT_EQ(view.Zoom, 150);
  EXPECT_FALSE(view.ShowGridLines);
  EXPECT_EQ(view.TabColor, RGBToColor(0xFF, 0x00, 0x00));
  EXPECT_EQ(view.AutoFilter.Col, 0);
  EXPECT_EQ(view.AutoFilter.ColCount, 3);
  EXPECT_EQ(view.AutoFilter.RowCount, 5);
  EXPECT_TRUE(sheet.Protection.Protected);
  EXPECT_EQ(sheet.Protection.Options, written->WorkSheets.GetItem(0)->Protection.Options);
  EXPECT_EQ(sheet.Protection.PasswordHash, 0xDAA7);
  const TExportPageSettings& page = sheet.PageSettings;
  EXPECT_EQ(page.Orientation, 1);
  EXPECT_EQ(page.Scale, 80);
  EXPECT_EQ(page.Centering, 1);
  EXPECT_TRUE(page.PrintGridLines);
  EXPECT_NEAR(page.LeftMargin, 2.54, 1e-9);
  EXPECT_EQ(page.GetXLSXPrintArea(), u"'Data -1-'!A1:D20");
  EXPECT_EQ(page.GetXLSXPrintTitles(), u"'Data -1-'!$1:$1");
  EXPECT_EQ(sheet.Header.Left.Text, u"Page [PAGENUMBER]");
  EXPECT_EQ(sheet.Footer.Center.Text, u"[SHEETNAME]");
  const TExportRange* total = nullptr;
  ASSERT_TRUE(Book->NamedCells.FindName(u"Total", total));
  EXPECT_EQ(total->WorkSheet, &sheet);
  EXPECT_EQ(total->Col, 1);
  EXPECT_EQ(total->Row, 1);
}

}  // namespace
}  // namespace workbook
