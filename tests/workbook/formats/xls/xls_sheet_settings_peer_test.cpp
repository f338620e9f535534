// The XLS reader's sheet settings (grid lines, zoom, page setup, header and footer, protection) on
// a file python3-xlwt writes at test time; merges, columns, frozen panes and names of the shared
// corpus against python3-xlrd.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>

#include "workbook/core/exceptions.h"
#include "workbook/core/units.h"
#include "workbook/model/cols.h"
#include "workbook/model/named_cells.h"
#include "xls_book_fixture.h"
#include "xls_test_support.h"

namespace workbook {
namespace {

using namespace xls_test;

using XLSSheetSettingsPeerTest = XlsBookTest;

TEST_F(XLSSheetSettingsPeerTest, XlwtSheetSettingsReachTheModel) {
  TScratchDir dir;
  const auto path = dir.File("setup.xls");
  RunPeer(kPeers + "sheet_setup_xlwt.py", {path});
  ASSERT_NO_THROW(LoadFile(path));
  ASSERT_EQ(book_->WorkSheets.Count(), 2);
  TExportWorkSheet& sheet = *book_->WorkSheets.GetItem(0);

  const TExportWindowSettings& window = sheet.WindowSettings;
  EXPECT_FALSE(window.ShowGridLines);
  EXPECT_TRUE(window.ShowRowColHeaders);
  EXPECT_EQ(window.Zoom, 150);

  const TExportPageSettings& page = sheet.PageSettings;
  EXPECT_EQ(page.Orientation, 1);
  EXPECT_NEAR(page.LeftMargin, 2.54, 1e-9);
  EXPECT_NEAR(page.TopMargin, 1.27, 1e-9);
  EXPECT_EQ(page.Centering, TExportPageSettings::ctHorizontal);
  EXPECT_TRUE(page.PrintGridLines);
  EXPECT_FALSE(page.PrintHeaders);
  EXPECT_EQ(sheet.Header.Left.Text, u"Left");
  EXPECT_EQ(sheet.Header.Center.Text, u"Center");
  EXPECT_EQ(sheet.Header.Right.Text, u"Right");
  EXPECT_EQ(sheet.Footer.Center.Text, u"Page [PAGENUMBER] of [PAGECOUNT]");
  EXPECT_EQ(sheet.Footer.Right.Text, u"[DATE]");
  EXPECT_EQ(page.Scale, 80);
  EXPECT_NEAR(sheet.Header.Margin, (0.5 - 0.25) * 2.54, 1e-9);  // the header's room above the body

  EXPECT_TRUE(sheet.Protection.Protected);
  EXPECT_EQ(sheet.Protection.PasswordHash, TExportWorkSheetProtection::PasswordVerifier(u"abc"));

  // The second sheet keeps the defaults of a new sheet.
  TExportWorkSheet& plain = *book_->WorkSheets.GetItem(1);
  EXPECT_FALSE(plain.WindowSettings.Split.IsSplit());
  EXPECT_TRUE(plain.WindowSettings.ShowGridLines);
  EXPECT_FALSE(plain.Protection.Protected);
  EXPECT_EQ(plain.Cols.FindCol(0), nullptr);
}

// Per corpus file xlrd reads: the merged ranges as "sheet row1 row2 col1 col2" (xlrd's ends are
// exclusive), the columns as "sheet col width hidden outline" and the frozen panes as
// "sheet col row".
std::string Tabbed(std::initializer_list<long> values) {
  std::string line;
  for (long v : values) line += (line.empty() ? "" : "\t") + std::to_string(v);
  return line;
}

TEST_F(XLSSheetSettingsPeerTest, CorpusMergesColumnsAndPanesAgreeWithXlrd) {
  const std::vector<std::string> paths = CorpusXlsFiles();
  if (paths.empty()) GTEST_SKIP() << "the shared corpus (" SHARED_DIR "/corpus) is absent";
  // Per file and kind (E unreadable, M merge, C column, P pane) the lines' rest.
  std::map<std::string, std::map<std::string, std::vector<std::string>>> peer;
  for (const std::string& line : SplitLines(RunPeer(kPeers + "sheet_setup_xlrd.py", paths))) {
    const std::vector<std::string> fields = SplitTabs(line);
    peer[fields[1]][fields[0]].push_back(
        line.substr(std::min(line.size(), line.find('\t', 2) + 1)));
  }
  int merges = 0, panes = 0;
  for (const std::string& path : paths) {
    if (peer[path].contains("E")) continue;
    NewBook();
    try {
      LoadFile(path);
    } catch (const ELibraryException&) {
      continue;  // which files load at all is the cell comparison's to check
    }
    std::vector<std::string> ours, cols, ourPanes;
    for (int s = 0; s < book_->WorkSheets.Count(); ++s) {
      TExportWorkSheet& sheet = *book_->WorkSheets.GetItem(s);
      for (int r = 0; r < sheet.Rows.Count(); ++r) {
        TExportRow* row = sheet.Rows.PeekItem(r);
        if (row == nullptr) continue;
        for (int c = 0; c < row->Cells.Count(); ++c) {
          TExportCell* cell = row->Cells.PeekItem(c);
          if (cell == nullptr || (cell->ColSpan() < 2 && cell->RowSpan() < 2)) continue;
          ours.push_back(Tabbed({s, r, r + cell->RowSpan(), c, c + cell->ColSpan()}));
        }
      }
      for (int c = 0; c < sheet.Cols.Count(); ++c) {
        const TExportCol* col = sheet.Cols.FindCol(c);
        if (col == nullptr || col->Width < 0) continue;
        cols.push_back(Tabbed({s, c, std::lround(col->Width), col->Hidden, col->OutlineLevel()}));
      }
      const TExportWindowSplit& split = sheet.WindowSettings.Split;
      if (split.IsSplit()) ourPanes.push_back(Tabbed({s, split.Col, split.Row}));
    }
    std::vector<std::string> expected = peer[path]["M"];
    std::sort(expected.begin(), expected.end());
    std::sort(ours.begin(), ours.end());
    EXPECT_EQ(ours, expected) << path;
    EXPECT_EQ(ourPanes, peer[path]["P"]) << path;
    // xlrd gives the width in 1/256 characters: converted as the reader does. xlrd also lists
    // the columns of a record reaching past the last column, which set the sheet's default
    // width instead: every column we keep must be one of xlrd's. The reader keeps a hidden column
    // of no width one character wide.
    std::set<std::string> expectedCols;
    for (const std::string& line : peer[path]["C"]) {
      std::vector<std::string> f = SplitTabs(line);
      const double pixels = f[3] == "1" && f[2] == "0"
                                ? CharWidth()
                                : XLSColWidthToPixels(std::stod(f[2]), CharWidth());
      expectedCols.insert(Tabbed({std::stol(f[0]), std::stol(f[1]), std::lround(pixels),
                                  std::stol(f[3]), std::stol(f[4])}));
    }
    for (const std::string& col : cols)
      EXPECT_TRUE(expectedCols.contains(col)) << path << ": " << col;
    merges += static_cast<int>(ours.size());
    panes += static_cast<int>(ourPanes.size());
  }
  EXPECT_GT(merges, 0);
  EXPECT_GT(panes, 0);
}

TEST_F(XLSSheetSettingsPeerTest, CorpusNamesAgreeWithXlrd) {
  const std::string path = CorpusXlsFile("namesdemo.xls");
  if (path.empty()) GTEST_SKIP() << "the shared corpus (" SHARED_DIR "/corpus) is absent";
  const std::vector<std::string> lines = SplitLines(RunPeer(kPeers + "names_xlrd.py", {path}));
  ASSERT_GT(lines.size(), 5u);
  LoadFile(path);
  for (const std::string& line : lines) {
    const std::vector<std::string> f = SplitTabs(line);
    const TExportRange* range = nullptr;
    ASSERT_TRUE(book_->NamedCells.FindName(std::u16string(f[1].begin(), f[1].end()), range))
        << line;
    ASSERT_EQ(range->WorkSheet, book_->WorkSheets.GetItem(std::stoi(f[2]))) << line;
    EXPECT_EQ(path + "\t" + f[1] + "\t" + f[2] + "\t" +
                  Tabbed({range->Row, range->Row2() + 1, range->Col, range->Col2() + 1}),
              line);
  }
}

TEST_F(XLSSheetSettingsPeerTest, FormulaNameTokensGiveTheFilesNames) {
  const std::string path = CorpusXlsFile("formula_test_names.xls");
  if (path.empty()) GTEST_SKIP() << "the shared corpus (" SHARED_DIR "/corpus) is absent";
  LoadFile(path);
  // Column B holds one formula per name, each the name alone (as Excel shows them).
  const char16_t* expected[] = {u"=unaryminus", u"=singlesum",  u"=tfunc",    u"=tfuncvar",
                                u"=testif",     u"=testchoose", u"=binopbool"};
  for (int row = 1; row <= 7; ++row) {
    TExportCell* cell = CellAt(0, row, 1);
    ASSERT_NE(cell, nullptr) << row;
    EXPECT_EQ(cell->GetFormula(), expected[row - 1]) << row;
  }
  // The file's own name list serves only while the file is read; then the workbook's names do.
  EXPECT_EQ(book_->FormulaNames, &book_->NamedCells.FormulaSource());
}

}  // namespace
}  // namespace workbook
