#include "workbook/model/range.h"

#include <gtest/gtest.h>

namespace workbook {
namespace {

// An sqref names cells without "$"; whole columns and rows run to the sheet's last row or column.
TEST(XLSXRangeTest, SqrefText) {
  const struct {
    int col, row, colCount, rowCount;
    const char16_t* sqref;
  } cases[] = {{0, 0, 1, 1, u"A1"},
               {1, 2, 3, 1, u"B3:D3"},
               {0, -1, 1, -1, u"A1:A1048576"},
               {-1, 4, -1, 2, u"A5:XFD6"}};
  for (const auto& c : cases) {
    TExportRange range;
    range.SetRange(c.col, c.row, c.colCount, c.rowCount);
    range.SetAbsolute(true);
    EXPECT_EQ(range.GetSqrefText(), c.sqref);
  }
}

}  // namespace
}  // namespace workbook
