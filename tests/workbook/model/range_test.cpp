#include "workbook/model/range.h"

#include <gtest/gtest.h>

#include <tuple>

#include "model_fixture.h"
#include "workbook/core/exceptions.h"
#include "workbook/model/cell.h"
#include "workbook/model/merged_ranges.h"

namespace workbook {
namespace {

TEST(ExportRangeTest, TextsWithoutWorksheetAndLastIndexesThatDoNotWrap) {
  std::u16string texts;
  for (auto [col, row, cols, rows, absolute] : {std::tuple{0, 0, 1, 1, false},
                                                {0, 0, 2, 2, false},
                                                {1, 2, 3, 1, true},
                                                {0, -1, 1, -1, true},
                                                {-1, 4, -1, 2, false}}) {
    TExportRange range;
    range.SetRange(col, row, cols, rows);
    range.SetAbsolute(absolute);
    texts += range.GetText() + u" ";
  }
  EXPECT_EQ(texts, u"A1 A1:B2 $B$3:$D$3 $A:$A 5:6 ");
  TExportRange range;
  range.SetRange(2, 2, 0x7FFFFFFF, 0x7FFFFFFF);
  EXPECT_EQ(range.Col2(), 0x7FFFFFFF);
  EXPECT_EQ(range.Row2(), 0x7FFFFFFF);
}

TEST(ExportCellAddressTest, InvalidTextChangesNothing) {
  TExportCellAddress address;
  EXPECT_TRUE(address.SetText(u"C7"));
  EXPECT_FALSE(address.SetText(u"7C"));
  EXPECT_FALSE(address.SetText(u"ZZZZ1"));
  EXPECT_EQ(address.GetText(), u"C7");
}

class MergedRangesTest : public test::SheetTest {};

TEST_F(MergedRangesTest, TopLeftCellCarriesTheSpans) {
  // Corners in either order; a range beyond the sheet or of one cell is refused, making nothing.
  // The corners, then the top-left cell's place and spans.
  const std::tuple<int, int, int, int, const char*> cases[] = {
      {1, 1, 2, 3, "1 1: 2x3"},
      {2, 3, 1, 1, "1 1: 2x3"},
      {0, 0, 16383, 1048575, "0 0: 16384x1048576"},
      {0, 0, 16384, 0, "no"},
      {-1, 0, 3, 0, "no"},
      {4, 4, 4, 4, "no"}};
  for (const auto& [col1, row1, col2, row2, expected] : cases) {
    book = std::make_unique<TWorkbook>();
    sheet = book->AddWorkSheet(u"Sheet1");
    std::string result = "no";
    if (ApplyMergedRange(*sheet, col1, row1, col2, row2)) {
      const int col = std::min(col1, col2), row = std::min(row1, row2);
      TExportCell* cell = nullptr;
      if (sheet->FindCell(col, row, cell) && cell)
        result = std::to_string(col) + " " + std::to_string(row) + ": " +
                 std::to_string(cell->ColSpan()) + "x" + std::to_string(cell->RowSpan());
    } else if (sheet->Rows.Count() != 0) {
      result = "refused, but made rows";
    }
    EXPECT_EQ(result, expected) << col1 << "," << row1;
  }
}

}  // namespace
}  // namespace workbook
