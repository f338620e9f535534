#include "workbook/model/merged_ranges.h"

#include <gtest/gtest.h>

#include "sheet_extras_support.h"
#include "workbook/core/exceptions.h"
#include "workbook/model/cell.h"

namespace workbook {
namespace {

class MergedRangesTest : public test::SheetTest {
 protected:
  TExportCell* Cell(int col, int row) {
    TExportCell* cell = nullptr;
    sheet->FindCell(col, row, cell);
    return cell;
  }
};

struct ApplyCase {
  int col1, row1, col2, row2;
  bool applied;
  int col, row, colSpan, rowSpan;
};

class MergedApplyTest : public MergedRangesTest, public ::testing::WithParamInterface<ApplyCase> {};

TEST_P(MergedApplyTest, TopLeftCellCarriesTheSpans) {
  const ApplyCase& c = GetParam();
  ASSERT_EQ(ApplyMergedRange(*sheet, c.col1, c.row1, c.col2, c.row2), c.applied);
  if (!c.applied) {
    EXPECT_EQ(sheet->Rows.Count(), 0);
    return;
  }
  TExportCell* cell = Cell(c.col, c.row);
  ASSERT_NE(cell, nullptr);
  EXPECT_EQ(cell->ColSpan(), c.colSpan);
  EXPECT_EQ(cell->RowSpan(), c.rowSpan);
}

INSTANTIATE_TEST_SUITE_P(Cases, MergedApplyTest,
                         ::testing::Values(ApplyCase{1, 1, 2, 3, true, 1, 1, 2, 3},
                                           ApplyCase{2, 3, 1, 1, true, 1, 1, 2, 3},
                                           ApplyCase{0, 0, 16383, 1048575, true, 0, 0, 16384,
                                                     1048576},
                                           ApplyCase{0, 0, 16384, 0, false, 0, 0, 0, 0},
                                           ApplyCase{-1, 0, 3, 0, false, 0, 0, 0, 0},
                                           ApplyCase{4, 4, 4, 4, false, 0, 0, 0, 0}));

}  // namespace
}  // namespace workbook
