#include "workbook/model/range.h"

#include <gtest/gtest.h>

#include "model_fixture.h"

namespace workbook {
namespace {

TEST(ExportRangeTest, NewRangeHasNoRowsOrColumns) {
  TExportRange range;
  EXPECT_FALSE(range.HasCols());
  EXPECT_FALSE(range.HasRows());
  range.SetCols(2, 3);
  EXPECT_EQ(range.Row, -1);
  EXPECT_EQ(range.Col2(), 4);
  EXPECT_EQ(range.GetText(), u"C:E");
}

TEST(ExportRangeTest, LastIndexDoesNotWrapForHugeCounts) {
  TExportRange range;
  range.SetRange(2, 2, 0x7FFFFFFF, 0x7FFFFFFF);
  EXPECT_EQ(range.Col2(), 0x7FFFFFFF);
  EXPECT_EQ(range.Row2(), 0x7FFFFFFF);
}

struct TextCase {
  int col, row, colCount, rowCount;
  bool absolute;
  const char16_t* text;
  const char16_t* sqref;
};

class RangeTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(RangeTextTest, WithoutWorksheet) {
  const TextCase& c = GetParam();
  TExportRange range;
  range.SetRange(c.col, c.row, c.colCount, c.rowCount);
  range.SetAbsolute(c.absolute);
  EXPECT_EQ(range.GetText(), c.text);
  EXPECT_EQ(range.GetSqrefText(), c.sqref);
}

INSTANTIATE_TEST_SUITE_P(Cases, RangeTextTest,
                         ::testing::Values(TextCase{0, 0, 1, 1, false, u"A1", u"A1"},
                                           TextCase{0, 0, 2, 2, false, u"A1:B2", u"A1:B2"},
                                           TextCase{1, 2, 3, 1, true, u"$B$3:$D$3", u"B3:D3"},
                                           TextCase{0, -1, 1, -1, true, u"$A:$A", u"A1:A1048576"},
                                           TextCase{-1, 4, -1, 2, false, u"5:6", u"A5:XFD6"}));

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
        ReadCase{u"$C$4", true, 2, 3, 1, 1, true, true, true, true},
        ReadCase{u"'My ''Q1'' sheet'!B2:$C3", true, 1, 1, 2, 2, false, false, true, false},
        ReadCase{u"'Data!x'!D5:B2", true, 1, 1, 3, 4, false, false, false, false},
        ReadCase{u"Sheet1!$A:$B", true, 0, -1, 2, -1, true, false, true, false},
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
