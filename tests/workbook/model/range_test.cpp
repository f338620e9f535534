#include "workbook/model/range.h"

#include <gtest/gtest.h>

namespace workbook {
namespace {

TEST(ExportRangeTest, TextsWithoutWorksheetAndLastIndexesThatDoNotWrap) {
  const struct {
    int col, row, colCount, rowCount;
    bool absolute;
    const char16_t* text;
  } cases[] = {{0, 0, 1, 1, false, u"A1"},
               {0, 0, 2, 2, false, u"A1:B2"},
               {1, 2, 3, 1, true, u"$B$3:$D$3"},
               {0, -1, 1, -1, true, u"$A:$A"},
               {-1, 4, -1, 2, false, u"5:6"}};
  for (const auto& c : cases) {
    TExportRange range;
    range.SetRange(c.col, c.row, c.colCount, c.rowCount);
    range.SetAbsolute(c.absolute);
    EXPECT_EQ(range.GetText(), c.text);
  }
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

}  // namespace
}  // namespace workbook
