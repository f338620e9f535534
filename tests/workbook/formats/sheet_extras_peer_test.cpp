// Columns, merges, names, views, page setup and protection read from files that openpyxl and
// xlwt wrote (independent writers), with the values the scripts gave them as the oracle.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/text_codec.h"
#include "workbook/formats/python_peer.h"
#include "workbook/formats/xlsx/xlsx_exporter.h"
#include "workbook/model/measuring_hooks.h"
#include "workbook/model/model_fixture.h"

namespace workbook {
namespace {

using Option = TSheetProtectionOption;

// A file loaded through the XLSX reader, and the width in pixels of one of its characters.
class SheetExtrasPeerTest : public ModelTest {
 protected:
  void Load(TWorkbook& book, const std::string& path) {
    book.ShowProgress = false;
    TExporterXLSX xlsx;
    book.LoadFromFileWith(platform::Utf8ToUtf16(path), xlsx);
  }
  static double CharWidth(TWorkbook& book) {
    return CharWidthHook ? CharWidthHook(book.GetDefaultFont())
                         : HeadlessCharWidth(book.GetDefaultFont());
  }
};

// Reads each .xlsx file of the corpus that openpyxl can open with the XLSX reader and checks
// column widths, merges, frozen panes and defined names against openpyxl's view of the file.
TEST_F(SheetExtrasPeerTest, CorpusXlsxFilesAgreeWithOpenpyxl) {
  const std::filesystem::path corpus = std::filesystem::path(SHARED_DIR) / "corpus";
  if (!std::filesystem::exists(corpus)) GTEST_SKIP() << "the shared corpus is absent: " << corpus;
  if (!test_support::PythonHasModules("openpyxl"))
    GTEST_SKIP() << "python3-openpyxl is not installed";
  std::vector<std::string> paths;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(corpus))
    if (entry.path().extension() == ".xlsx") paths.push_back(entry.path().string());
  int checked = 0;
  for (const auto& [path, output] : test_support::OutputPerFile(
           test_support::RunPeer("workbook/formats/peers/sheet_extras_corpus.py", paths))) {
    SCOPED_TRACE(path);
    if (output.empty()) continue;  // openpyxl cannot read it
    TWorkbook file;
    Load(file, path);
    const double charWidth = CharWidth(file);
    TExportWorkSheet* current = nullptr;
    for (const std::string& line : test_support::SplitLines(output)) {
      const std::vector<std::string> f = test_support::SplitTabs(line);
      if (f[0] == "SHEET") {
        current = file.WorkSheets.FindWorkSheet(platform::Utf8ToUtf16(f[1]));
        ASSERT_NE(current, nullptr) << line;
      } else if (f[0] == "MERGE") {
        TExportCell* cell = nullptr;
        ASSERT_TRUE(current->FindCell(std::stoi(f[1]), std::stoi(f[2]), cell)) << line;
        EXPECT_EQ(cell->ColSpan(), std::stoi(f[3]) - std::stoi(f[1]) + 1) << line;
        EXPECT_EQ(cell->RowSpan(), std::stoi(f[4]) - std::stoi(f[2]) + 1) << line;
        ++checked;
      } else if (f[0] == "COL") {
        TExportCol* col = current->Cols.FindCol(std::stoi(f[1]));
        ASSERT_NE(col, nullptr) << line;
        EXPECT_NEAR(col->Width, std::stod(f[2]) * charWidth, 1e-9) << line;
        EXPECT_EQ(col->Hidden, f[3] == "1") << line;
        EXPECT_EQ(col->OutlineLevel(), std::stoi(f[4])) << line;
        ++checked;
      } else if (f[0] == "DEFAULT") {
        EXPECT_NEAR(current->Cols.DefaultWidth, std::stod(f[1]) * charWidth, 1e-9) << line;
        ++checked;
      } else if (f[0] == "PANE") {
        EXPECT_EQ(current->WindowSettings.Split.Col, std::stoi(f[1])) << line;
        EXPECT_EQ(current->WindowSettings.Split.Row, std::stoi(f[2])) << line;
        ++checked;
      } else if (f[0] == "NAME") {
        const TExportRange* range;
        ASSERT_TRUE(file.NamedCells.FindName(platform::Utf8ToUtf16(f[1]), range)) << line;
        EXPECT_EQ(range->WorkSheet->Name, platform::Utf8ToUtf16(f[2])) << line;
        EXPECT_EQ(range->Col, std::stoi(f[3])) << line;
        EXPECT_EQ(range->Row, std::stoi(f[4])) << line;
        EXPECT_EQ(range->Col2(), std::stoi(f[5])) << line;
        EXPECT_EQ(range->Row2(), std::stoi(f[6])) << line;
        ++checked;
      }
    }
  }
  EXPECT_GT(checked, 0) << "no file of the corpus had columns, merges, panes or names";
}

// Columns whose col element has a width but no customWidth keep that width through a load and a
// save, as openpyxl reads both files.
TEST_F(SheetExtrasPeerTest, WidthsWithoutCustomWidthSurviveASave) {
  if (!test_support::PythonHasModules("openpyxl"))
    GTEST_SKIP() << "python3-openpyxl is not installed";
  const std::string script = "workbook/formats/peers/col_widths_openpyxl.py";
  test_support::TScratchDir dir;
  test_support::RunPeer(script, {"write", dir.File("in.xlsx")});
  TWorkbook book;
  Load(book, dir.File("in.xlsx"));
  InstallHeadlessMeasuring();
  TMemoryStream saved;
  TExporterXLSX xlsx;
  xlsx.ExportToStream(saved, book);
  saved.SaveToFile(dir.File("out.xlsx"));
  const std::string widths = "B 20.0\nC 9.5\nE 31.0\nF 31.0\n";
  EXPECT_EQ(test_support::RunPeer(script, {"read", dir.File("in.xlsx")}), widths);
  EXPECT_EQ(test_support::RunPeer(script, {"read", dir.File("out.xlsx")}), widths);
}

TEST_F(SheetExtrasPeerTest, OpenpyxlWorkbook) {
  if (!test_support::PythonHasModules("openpyxl"))
    GTEST_SKIP() << "python3-openpyxl is not installed";
  test_support::TScratchDir dir;
  test_support::RunPeer("workbook/formats/peers/sheet_extras_openpyxl.py", {dir.File("x.xlsx")});
  TWorkbook book;
  Load(book, dir.File("x.xlsx"));
  ASSERT_EQ(book.WorkSheets.Count(), 2);
  TExportWorkSheet* sheet = book.WorkSheets[0];

  EXPECT_FALSE(sheet->PageSettings.FitToPage);
  EXPECT_EQ(sheet->WindowSettings.TabColor, RGBToColor(0x10, 0x72, 0xBA));
  EXPECT_EQ(sheet->WindowSettings.Split.Col, 1);
  EXPECT_EQ(sheet->WindowSettings.Split.Row, 2);
  ASSERT_EQ(sheet->Cols.Count(), 5);
  EXPECT_DOUBLE_EQ(sheet->Cols.GetItem(1)->Width, 20 * CharWidth(book));
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

  TExportNamedCells& names = book.NamedCells;
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

}  // namespace
}  // namespace workbook
