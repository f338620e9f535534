#include "workbook/model/range.h"

#include <gtest/gtest.h>

#include "workbook/model/model_fixture.h"

namespace workbook {
namespace {

struct ReadCase {
  const char16_t* text;
  bool ok;
  int col, row, colCount, rowCount;
  bool col1Abs, row1Abs, col2Abs, row2Abs;
};

ReadCase Bad(const char16_t* text) { return {text, false, 0, 0, 0, 0, false, false, false, false}; }

class RangeReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(RangeReadTest, ReadXLSXReference) {
  const ReadCase& c = GetParam();
  TExportRange range;
  range.SetRange(7, 7, 1, 1);
  ASSERT_EQ(range.ReadXLSXReference(c.text), c.ok);
  if (!c.ok) {
    EXPECT_EQ(range.Col, 7);  // unchanged
    return;
  }
  EXPECT_EQ(range.Col, c.col);
  EXPECT_EQ(range.Row, c.row);
  EXPECT_EQ(range.ColCount, c.colCount);
  EXPECT_EQ(range.RowCount, c.rowCount);
  EXPECT_EQ(range.Col1Absolute, c.col1Abs);
  EXPECT_EQ(range.Row1Absolute, c.row1Abs);
  EXPECT_EQ(range.Col2Absolute, c.col2Abs);
  EXPECT_EQ(range.Row2Absolute, c.row2Abs);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RangeReadTest,
    ::testing::Values(
        ReadCase{u"Sheet1!$A$1:$B$2", true, 0, 0, 2, 2, true, true, true, true},
        ReadCase{u"A1", true, 0, 0, 1, 1, false, false, false, false},
        ReadCase{u"'My ''Q1'' sheet'!B2:$C3", true, 1, 1, 2, 2, false, false, true, false},
        ReadCase{u"'Data!x'!D5:B2", true, 1, 1, 3, 4, false, false, false, false},
        ReadCase{u"S!$B$2:A1", true, 0, 0, 2, 2, false, false, true, true},
        ReadCase{u"B$1:$A2", true, 0, 0, 2, 2, true, true, false, false},
        ReadCase{u"$1:$3", true, -1, 0, -1, 3, false, true, false, true},
        ReadCase{u"XFD1048576", true, 16383, 1048575, 1, 1, false, false, false, false},
        Bad(u"XFE1"), Bad(u"A1048577"), Bad(u"A0"), Bad(u""), Bad(u"Sheet1!"), Bad(u"#REF!"),
        Bad(u"A1:B2,C3")));

TEST(ExportRangeTest, ReadLimitsMarksWholeRowsAndColumns) {
  TExportRange range;
  ASSERT_TRUE(range.ReadXLSXReferenceLimits(u"A1:XFD1048576"));
  EXPECT_EQ(range.ColCount, -1);
  EXPECT_EQ(range.RowCount, -1);
  ASSERT_TRUE(range.ReadXLSXReferenceLimits(u"B1:C1048576"));
  EXPECT_EQ(range.ColCount, 2);
  EXPECT_EQ(range.RowCount, -1);
}

class RangeSheetTest : public ModelTest {};

TEST_F(RangeSheetTest, SheetQualifiedTexts) {
  TWorkbook book;
  TExportWorkSheet* sheet = book.AddWorkSheet(u"Jan's data");
  TExportRange range(sheet);
  range.SetRange(0, 0, 2, 3);
  range.SetAbsolute(true);
  EXPECT_EQ(range.GetText(), u"'Jan''s data'!$A$1:$B$3");
  EXPECT_EQ(range.GetODSText(), u"'Jan''s data'.A1:'Jan''s data'.B3");
  range.SetCols(1, 2);
  EXPECT_EQ(range.GetODSText(), u"'Jan''s data'.B:'Jan''s data'.C");
  range.SetRange(-1, -1, 1, 1);
  EXPECT_EQ(range.GetODSText(), u"");
  TExportRange plain;
  plain.SetRange(0, 0, 2, 2);
  plain.SetAbsolute(true);
  EXPECT_EQ(plain.GetODSText(), u"A1:B2");
}

}  // namespace
}  // namespace workbook
