// The sizes of cells and the sizes every writer takes its column widths, row heights and picture
// places from.
#include <gtest/gtest.h>

#include <algorithm>

#include "model_fixture.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/conditional_formatting.h"
#include "workbook/model/custom_exporter.h"
#include "workbook/model/measuring_hooks.h"
#include "workbook/model/rich_text.h"

namespace workbook {
namespace {

// Wrapped cells report the width they were laid out in, so a test sees the span's width.
class TMeasuringExporter : public TCustomExporter {
 public:
  int GetCellWidthPadding() const override { return 7; }
  int GetRichTextRunSpacing() const override { return 2; }
  double GetCellAutoHeight(TExportCell&, double width) override { return width + 1000; }
};

// Seven pixels a character, plus one per point above 10.
int FakeTextWidth(std::u16string_view text, const TExportFont& font) {
  return static_cast<int>(text.size()) * (7 + std::max(0, font.GetSize() - 10));
}

class AutoSizesTest : public test::SheetTest {
 protected:
  void SetUp() override {
    SheetTest::SetUp();
    savedHook_ = TextWidthHook;
    TextWidthHook = FakeTextWidth;
  }
  void TearDown() override {
    TextWidthHook = savedHook_;
    SheetTest::TearDown();
  }
  TExportCellString* Text(int col, int row, const std::u16string& text) {
    auto* cell =
        static_cast<TExportCellString*>(sheet->FindCreateCell(col, row, TCellClass::String, false));
    cell->SetValue(text);
    return cell;
  }
  double FontHeight(int size) {
    TExportFont font = sheet->DefaultCellStyle->GetFont();
    font.SetSize(size);
    return TCustomExporter::GetFontRowHeight(font);
  }

  TTextWidthHook savedHook_ = nullptr;
  TMeasuringExporter exporter_;
  TSheetPixelGrid grid_;
};

TEST_F(AutoSizesTest, CellWidthsAndHeightsFollowTextsFontsAndWrapping) {
  TExportRow* row = sheet->GetRow(0);
  EXPECT_EQ(row->AddCellNumber(1.5, 2)->CalcTextWidth(exporter_), 4 * 7 + 7);
  auto* cell = row->AddCellString(u"Hello world");
  EXPECT_EQ(cell->CalcTextHeight(exporter_, 50), FontHeight(10));
  TExportFont big;
  big.SetSize(12);
  cell->GetRichTextTags().AddTag(7, big);
  // Rich-text runs add their spacing.
  EXPECT_EQ(cell->CalcTextWidth(exporter_), 6 * 7 + 5 * 9 + 2 + 7);
  EXPECT_EQ(cell->CalcTextHeight(exporter_, 50), FontHeight(12));
  cell->SetWrapText(true);
  row->SetHeightMode(1);
  EXPECT_EQ(cell->CalcTextHeight(exporter_, 50), 1050);
}

TEST_F(AutoSizesTest, ColumnWidthsFromColumnsDefaultsAndAutomaticCells) {
  sheet->Cols.DefaultWidth = 50;
  sheet->GetCol(0)->Width = 30;
  sheet->GetCol(1);                           // no width of its own
  sheet->GetCol(2)->Width = 500;              // an automatic cell narrows it
  Text(0, 0, u"abcdef")->SetAutoWidth(true);  // 6 * 7 + 7
  Text(0, 1, u"ab")->SetAutoWidth(true);      // the widest text wins
  Text(2, 0, u"a")->SetAutoWidth(true);       // 7 + 7
  Text(3, 1, u"wide but not automatic");
  TExportCell* spanning = Text(4, 0, u"spans three columns");
  spanning->SetColSpan(3);  // clears AutoWidth
  spanning->SetAutoWidth(true);
  sheet->CalcAutoSizes(exporter_, grid_);
  // Columns past the column list are listed up to the last cell, the covered ones too.
  EXPECT_EQ(grid_.ColWidths, (std::vector<double>{49, 50, 14, -1, 19 * 7 + 7}));
}

TEST_F(AutoSizesTest, RowHeights) {
  sheet->Rows.DefaultRowHeight = 15;
  Text(0, 0, u"plain");             // the font's row height
  sheet->GetRow(1)->SetHeight(40);  // its own height
  sheet->GetRow(2);                 // no cells: the default
  TExportCell* big = Text(1, 3, u"big");
  big->GetStyle().GetFontForWrite().SetSize(20);
  TExportCell* wrapped = Text(1, 4, u"a long wrapped text");
  wrapped->SetWrapText(true);
  wrapped->SetColSpan(2);
  sheet->GetRow(4)->SetHeightMode(1);
  sheet->GetCol(1)->Width = 100;  // column 2 takes the default 80
  sheet->CalcAutoSizes(exporter_, grid_);
  EXPECT_EQ(grid_.RowHeights,
            (std::vector<double>{FontHeight(10), 40, 15, FontHeight(20), 100 + 80 + 1000}));
}

TEST_F(AutoSizesTest, CellsThatNeverChangedTheirLookMeasureWithoutStyleObjects) {
  sheet->GetCol(1)->GetStyle().GetFontForWrite().SetSize(24);
  sheet->GetRow(1)->GetStyle().GetFontForWrite().SetSize(16);
  TExportCell* plain = Text(0, 0, u"x");
  TExportCell* inStyledColumn = Text(1, 0, u"y");
  TExportCell* inStyledRow = Text(1, 1, u"z");  // the row's style wins over the column's
  sheet->CalcAutoSizes(exporter_, grid_);
  const std::vector<double> measured = grid_.RowHeights;
  // The heights are those the cells' own styles give once made.
  for (TExportCell* cell : {plain, inStyledColumn, inStyledRow}) {
    EXPECT_FALSE(cell->HasStyle());
    cell->GetStyle();
  }
  sheet->CalcAutoSizes(exporter_, grid_);
  EXPECT_EQ(measured, grid_.RowHeights);
  EXPECT_EQ(measured, (std::vector<double>{FontHeight(24), FontHeight(16)}));
}

TEST_F(AutoSizesTest, OneRowIsMeasuredInItsPlace) {
  Text(0, 0, u"a");
  sheet->CalcAutoSizes(exporter_, grid_);
  sheet->GetRow(3)->SetHeight(33);
  sheet->CalcAutoSizes(exporter_, grid_, 3);
  // Rows 1 and 2 were not measured: they keep the default instead of taking row 3's height.
  EXPECT_EQ(grid_.RowHeights, (std::vector<double>{FontHeight(10), -1, -1, 33}));
  sheet->GetRow(0)->SetHeight(12);
  sheet->CalcAutoSizes(exporter_, grid_, 0);
  EXPECT_EQ(grid_.RowHeights, (std::vector<double>{12, -1, -1, 33}));
}

TEST_F(AutoSizesTest, RowsAddedByEventAreMeasuredAndWrittenRowsFreed) {
  book->WriteRowsByEvent = true;
  sheet->GetCol(0)->Width = 60;
  sheet->OnAddRow = [](TWorkbook&, TCustomExporter&, TExportWorkSheet& sheet, int index) {
    if (index >= 3) return;
    TExportRow* row = sheet.AddRow();
    row->SetHeightMode(1);
    row->AddCellString(u"wrapped")->SetWrapText(true);
    if (index == 1)
      TExportConditionalFormattingRule::AddRule(
          row->AddCellNumber(1, 0)->GetConditionalFormatting().Rules, cfoEqual, u"1", u"");
  };
  sheet->CalcAutoSizes(exporter_, grid_);
  int r = 0;
  while (sheet->PrepareRowWrite(exporter_, r, &grid_), r < sheet->Rows.Count()) ++r;
  EXPECT_EQ(r, 3);
  EXPECT_EQ(grid_.RowHeights, (std::vector<double>{1060, 1060, 1060}));
  // Row 1's last cell carries rules a writer reads after the rows, so the row keeps its cells.
  EXPECT_EQ((std::vector<int>{sheet->GetRow(0)->Cells.Count(), sheet->GetRow(1)->Cells.Count(),
                              sheet->GetRow(2)->Cells.Count()}),
            (std::vector<int>{0, 2, 0}));
}

TEST_F(AutoSizesTest, PixelPositionsAndTheirInverseOnTheGrid) {
  grid_.ColWidths = {30, -1, 50};  // column 1 and those past the list take the default
  grid_.RowHeights = {10, 25.5};
  grid_.DefaultColWidth = 64;
  grid_.DefaultRowHeight = 20;
  struct TCase {
    int col1, col2, baseX, row1, row2, baseY, x, y;
  };
  for (const TCase& c : std::vector<TCase>{{0, 0, 5, 0, 0, 7, 5, 7},
                                           {0, 3, 0, 0, 2, 0, 144, 36},  // 35.5 rounds up
                                           {1, 4, 2, 1, 3, 0, 180, 46},
                                           {2, 1, 3, 2, 1, 4, 3, 4}}) {  // an empty walk
    int x = -1, y = -1;
    TExportWorkSheet::GetPixelPosition(grid_, x, y, c.col1, c.col2, c.baseX, c.row1, c.row2,
                                       c.baseY);
    EXPECT_EQ((std::pair{x, y}), (std::pair{c.x, c.y})) << c.col1 << ".." << c.col2;
  }
  // The inverse walks from the start cell while the offset covers whole cells; an offset that
  // ends exactly on a border lands in the next cell.
  int col = 0, row = 0, x = 94, y = 36;
  TExportWorkSheet::GetCellAtPixelPosition(grid_, col, row, x, y);
  EXPECT_EQ((std::vector<int>{col, row, x, y}), (std::vector<int>{2, 2, 0, 1}));
  col = 1, row = 1, x = 63, y = 100;
  TExportWorkSheet::GetCellAtPixelPosition(grid_, col, row, x, y, 3, 3);
  EXPECT_EQ((std::vector<int>{col, row, x, y}), (std::vector<int>{1, 3, 63, 55}));
}

// Every row keeps a cell here (a placed drawing outlives its row), so no written row is ever
// left empty: freeing must still visit each row once, not walk back over all earlier rows for
// every new one (minutes for this many rows instead of a second).
TEST_F(AutoSizesTest, RowsThatKeepCellsAreFreedInOnePass) {
  constexpr int kRows = 200000;
  book->WriteRowsByEvent = true;
  sheet->OnAddRow = [](TWorkbook&, TCustomExporter&, TExportWorkSheet& sheet, int index) {
    if (index >= kRows) return;
    TExportRow* row = sheet.AddRow();
    row->AddCellNumber(index, 0)->AddDrawing(-1, 0, 0, 1, 1);
    row->AddCellNumber(index, 0);
  };
  int r = 0;
  while (sheet->PrepareRowWrite(exporter_, r), r < sheet->Rows.Count()) ++r;
  EXPECT_EQ(r, kRows);
  for (int i : {0, kRows / 2, kRows - 1}) EXPECT_EQ(sheet->GetRow(i)->Cells.Count(), 1) << i;
}

}  // namespace
}  // namespace workbook
