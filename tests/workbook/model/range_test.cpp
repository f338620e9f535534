#include "workbook/model/range.h"

#include <gtest/gtest.h>

#include "model_fixture.h"

namespace workbook {
namespace {

TEST(ExportRangeTest, NewRangeHasNoRowsOrColumnsAndLastIndexesDoNotWrap) {
  TExportRange range;
  EXPECT_FALSE(range.HasCols());
  EXPECT_FALSE(range.HasRows());
  range.SetCols(2, 3);
  EXPECT_EQ(range.Row, -1);
  EXPECT_EQ(range.Col2(), 4);
  EXPECT_EQ(range.GetText(), u"C:E");
  range.SetRange(2, 2, 0x7FFFFFFF, 0x7FFFFFFF);
  EXPECT_EQ(range.Col2(), 0x7FFFFFFF);
  EXPECT_EQ(range.Row2(), 0x7FFFFFFF);
}

TEST(ExportRangeTest, TextsWithoutWorksheet) {
  const struct {
    int col, row, colCount, rowCount;
    bool absolute;
    const char16_t* text;
    const char16_t* sqref;
  } cases[] = {{0, 0, 1, 1, false, u"A1", u"A1"},
               {0, 0, 2, 2, false, u"A1:B2", u"A1:B2"},
               {1, 2, 3, 1, true, u"$B$3:$D$3", u"B3:D3"},
               {0, -1, 1, -1, true, u"$A:$A", u"A1:A1048576"},
               {-1, 4, -1, 2, false, u"5:6", u"A5:XFD6"}};
  for (const auto& c : cases) {
    TExportRange range;
    range.SetRange(c.col, c.row, c.colCount, c.rowCount);
    range.SetAbsolute(c.absolute);
    EXPECT_EQ(range.GetText(), c.text);
    EXPECT_EQ(range.GetSqrefText(), c.sqref);
  }
}

TEST(ExportCellAddressTest, InvalidTextChangesNothing) {
  TExportCellAddress address;
  EXPECT_TRUE(address.SetText(u"C7"));
  EXPECT_EQ(address.Col, 2);
  EXPECT_EQ(address.Row, 6);
  EXPECT_FALSE(address.SetText(u"7C"));
  EXPECT_FALSE(address.SetText(u"ZZZZ1"));
  EXPECT_EQ(address.GetText(), u"C7");
}

}  // namespace
}  // namespace workbook
