#include "workbook/core/cell_refs.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace workbook {
namespace {

// --- column letters ---

struct LettersCase {
  std::u16string letters;
  int index;
};

class ColLettersToIndexTest : public testing::TestWithParam<LettersCase> {};

TEST_P(ColLettersToIndexTest, Reads) {
  EXPECT_EQ(ColLettersToIndex(GetParam().letters), GetParam().index);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ColLettersToIndexTest,
    testing::Values(LettersCase{u"A", 0}, LettersCase{u"a", 0}, LettersCase{u"Z", 25},
                    LettersCase{u"AA", 26}, LettersCase{u"AZ", 51}, LettersCase{u"BA", 52},
                    LettersCase{u"ZZ", 701}, LettersCase{u"AAA", 702}, LettersCase{u"XFD", 16383},
                    LettersCase{u"ZZZ", 18277}, LettersCase{u"$B", 1}, LettersCase{u"B$7", 1},
                    LettersCase{u"C:E", 2}, LettersCase{u"ABCD", -1}, LettersCase{u"", -1},
                    LettersCase{u"12", -1}, LettersCase{u":A", -1}, LettersCase{u"\u00C1", -1}));

struct IndexCase {
  int index;
  std::u16string letters;
};

class ColIndexToLettersTest : public testing::TestWithParam<IndexCase> {};

TEST_P(ColIndexToLettersTest, Writes) {
  EXPECT_EQ(ColIndexToLetters(GetParam().index), GetParam().letters);
}

INSTANTIATE_TEST_SUITE_P(Table, ColIndexToLettersTest,
                         testing::Values(IndexCase{0, u"A"}, IndexCase{25, u"Z"},
                                         IndexCase{26, u"AA"}, IndexCase{51, u"AZ"},
                                         IndexCase{52, u"BA"}, IndexCase{701, u"ZZ"},
                                         IndexCase{702, u"AAA"}, IndexCase{16383, u"XFD"},
                                         IndexCase{16384, u"XFE"}, IndexCase{18277, u"ZZZ"},
                                         IndexCase{18278, u"AAAA"},
                                         IndexCase{2147483647, u"FXSHRXX"}, IndexCase{-1, u""}));

TEST(ColLettersTest, RoundTripsEveryColumnOfTheLargestSheet) {
  for (int col = 0; col < kMaxRefColCount; ++col)
    ASSERT_EQ(ColLettersToIndex(ColIndexToLetters(col)), col) << col;
}

// --- single cells ---

struct CellCase {
  std::u16string text;
  bool ok;
  int col = 0;
  int row = 0;
  bool colAbsolute = false;
  bool rowAbsolute = false;
};

class ParseCellRefTest : public testing::TestWithParam<CellCase> {};

TEST_P(ParseCellRefTest, Parses) {
  const CellCase& c = GetParam();
  int col = -7, row = -7;
  bool colAbs = true, rowAbs = true;
  ASSERT_EQ(ParseCellRef(c.text, col, row, colAbs, rowAbs), c.ok);
  if (!c.ok) {
    // A failed parse leaves the outputs alone.
    EXPECT_EQ(col, -7);
    EXPECT_EQ(row, -7);
    return;
  }
  EXPECT_EQ(col, c.col);
  EXPECT_EQ(row, c.row);
  EXPECT_EQ(colAbs, c.colAbsolute);
  EXPECT_EQ(rowAbs, c.rowAbsolute);
}

INSTANTIATE_TEST_SUITE_P(Valid, ParseCellRefTest,
                         testing::Values(CellCase{u"A1", true, 0, 0},
                                         CellCase{u"b$7", true, 1, 6, false, true},
                                         CellCase{u"$A$1", true, 0, 0, true, true},
                                         CellCase{u"$C5", true, 2, 4, true, false},
                                         CellCase{u"A$1", true, 0, 0, false, true},
                                         CellCase{u"aa10", true, 26, 9},
                                         CellCase{u"XFD1048576", true, 16383, 1048575},
                                         CellCase{u"A0000001", true, 0, 0}));

INSTANTIATE_TEST_SUITE_P(Invalid, ParseCellRefTest,
                         testing::Values(CellCase{u"", false}, CellCase{u"7B", false},
                                         CellCase{u"A1B", false}, CellCase{u"A", false},
                                         CellCase{u"1", false}, CellCase{u"$1", false},
                                         CellCase{u"A 1", false}, CellCase{u"A1 ", false},
                                         CellCase{u"A-1", false}, CellCase{u"$$A1", false},
                                         CellCase{u"A$$1", false}, CellCase{u"A$B1", false},
                                         CellCase{u"ABCD1", false}, CellCase{u"A1:B2", false},
                                         CellCase{u"Sheet1!A1", false}));

// Row 0, rows and columns beyond the largest sheet, and digit runs of any length are simply not
// references: no exception and no overflow.
INSTANTIATE_TEST_SUITE_P(Limits, ParseCellRefTest,
                         testing::Values(CellCase{u"A0", false}, CellCase{u"A00", false},
                                         CellCase{u"A1048577", false}, CellCase{u"XFE1", false},
                                         CellCase{u"ZZZ1", false}, CellCase{u"A2147483648", false},
                                         CellCase{u"A4294967297", false},
                                         CellCase{u"A99999999999999999999999999999999", false}));

TEST(ParseCellRefColRowTest, DropsTheFlags) {
  int col = 0, row = 0;
  ASSERT_TRUE(ParseCellRefColRow(u"$D$9", col, row));
  EXPECT_EQ(col, 3);
  EXPECT_EQ(row, 8);
  EXPECT_FALSE(ParseCellRefColRow(u"D", col, row));
}

// --- ranges ---

struct RangeCase {
  std::u16string text;
  bool mustBeRange;
  bool ok;
  TCellRangeRef ref = {};
};

class ParseCellRangeRefTest : public testing::TestWithParam<RangeCase> {};

TEST_P(ParseCellRangeRefTest, Parses) {
  const RangeCase& c = GetParam();
  TCellRangeRef r{-1, -1, -1, -1, true, true, true, true};
  ASSERT_EQ(ParseCellRangeRef(c.text, r, c.mustBeRange), c.ok);
  if (!c.ok) return;
  EXPECT_EQ(r.Col1, c.ref.Col1);
  EXPECT_EQ(r.Row1, c.ref.Row1);
  EXPECT_EQ(r.Col2, c.ref.Col2);
  EXPECT_EQ(r.Row2, c.ref.Row2);
  EXPECT_EQ(r.Col1Absolute, c.ref.Col1Absolute);
  EXPECT_EQ(r.Row1Absolute, c.ref.Row1Absolute);
  EXPECT_EQ(r.Col2Absolute, c.ref.Col2Absolute);
  EXPECT_EQ(r.Row2Absolute, c.ref.Row2Absolute);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseCellRangeRefTest,
    testing::Values(RangeCase{u"A1:B2", false, true, {0, 0, 1, 1}},
                    RangeCase{u"A1:B2", true, true, {0, 0, 1, 1}},
                    RangeCase{u"$A$1:C$3", true, true, {0, 0, 2, 2, true, true, false, true}},
                    RangeCase{u"B2:A1", true, true, {1, 1, 0, 0}},  // kept as written
                    RangeCase{u"A1", false, true, {0, 0, 0, 0}},
                    RangeCase{u"$B$3", false, true, {1, 2, 1, 2, true, true, false, false}},
                    RangeCase{u"A1", true, false}, RangeCase{u"A1:B", true, false},
                    RangeCase{u"A:B", false, false}, RangeCase{u":A1", false, false},
                    RangeCase{u"A1:B2:C3", false, false}, RangeCase{u"A1:B0", false, false},
                    RangeCase{u"A1:XFD1048576", true, true, {0, 0, 16383, 1048575}},
                    RangeCase{u"A1:XFD1048577", true, false}, RangeCase{u"", false, false}));

TEST(ParseCellRangeRefColRowTest, Parses) {
  int c1 = 0, r1 = 0, c2 = 0, r2 = 0;
  ASSERT_TRUE(ParseCellRangeRefColRow(u"$B$2:D10", c1, r1, c2, r2));
  EXPECT_EQ((std::array{c1, r1, c2, r2}), (std::array{1, 1, 3, 9}));
  ASSERT_TRUE(ParseCellRangeRefColRow(u"C7", c1, r1, c2, r2));
  EXPECT_EQ((std::array{c1, r1, c2, r2}), (std::array{2, 6, 2, 6}));
  EXPECT_FALSE(ParseCellRangeRefColRow(u"C7", c1, r1, c2, r2, true));
}

struct LineRangeCase {
  std::u16string text;
  bool ok;
  int first = 0;
  int last = 0;
};

class ParseColRangeRefTest : public testing::TestWithParam<LineRangeCase> {};

TEST_P(ParseColRangeRefTest, Parses) {
  int first = -9, last = -9;
  ASSERT_EQ(ParseColRangeRef(GetParam().text, first, last), GetParam().ok);
  if (!GetParam().ok) return;
  EXPECT_EQ(first, GetParam().first);
  EXPECT_EQ(last, GetParam().last);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseColRangeRefTest,
    testing::Values(LineRangeCase{u"A:C", true, 0, 2}, LineRangeCase{u"$B:$B", true, 1, 1},
                    LineRangeCase{u"A:XFD", true, 0, 16383}, LineRangeCase{u"C:A", false},
                    LineRangeCase{u":C", false}, LineRangeCase{u"A:", false},
                    LineRangeCase{u"A:XFE", false}, LineRangeCase{u"AC", false}));

class ParseRowRangeRefTest : public testing::TestWithParam<LineRangeCase> {};

TEST_P(ParseRowRangeRefTest, Parses) {
  int first = -9, last = -9;
  ASSERT_EQ(ParseRowRangeRef(GetParam().text, first, last), GetParam().ok);
  if (!GetParam().ok) return;
  EXPECT_EQ(first, GetParam().first);
  EXPECT_EQ(last, GetParam().last);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseRowRangeRefTest,
    testing::Values(LineRangeCase{u"1:3", true, 0, 2}, LineRangeCase{u"$5:$5", true, 4, 4},
                    LineRangeCase{u"1:1048576", true, 0, 1048575}, LineRangeCase{u"3:1", false},
                    LineRangeCase{u"0:3", false}, LineRangeCase{u":3", false},
                    LineRangeCase{u"1:1048577", false},
                    LineRangeCase{u"1:99999999999999999999", false}, LineRangeCase{u"13", false}));

TEST(RowFromCellRefTest, ReadsTheDigits) {
  EXPECT_EQ(RowFromCellRef(u"B12"), 12);
  EXPECT_EQ(RowFromCellRef(u"$C$1048576"), 1048576);
  EXPECT_EQ(RowFromCellRef(u"C"), 0);
  EXPECT_EQ(RowFromCellRef(u"A99999999999999999999"), -1);
}

// --- building ---

struct MakeCase {
  int col, row, colSpan;
  TRefAbsolute absolute;
  int rowSpan;
  std::u16string ref;
};

class MakeCellRangeRefExTest : public testing::TestWithParam<MakeCase> {};

TEST_P(MakeCellRangeRefExTest, Builds) {
  const MakeCase& c = GetParam();
  EXPECT_EQ(MakeCellRangeRefEx(c.col, c.row, c.colSpan, c.absolute, c.rowSpan), c.ref);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MakeCellRangeRefExTest,
    testing::Values(MakeCase{0, 0, 1, {}, 1, u"A1"},
                    MakeCase{0, 0, 3, TRefAbsolute::All(true), 2, u"$A$1:$C$2"},
                    MakeCase{0, 0, 3, TRefAbsolute::All(true), 3, u"$A$1:$C$3"},
                    MakeCase{0, -1, 3, {}, 1, u"A:C"}, MakeCase{-1, 0, 1, {}, 3, u"1:3"},
                    MakeCase{-1, 4, 1, TRefAbsolute::All(true), 1, u"$5"},
                    MakeCase{1, 1, 1, {true, false, false, true}, 2, u"$B2:B$3"},
                    MakeCase{2, 3, 0, {}, 0, u"C4"},  // spans below 1 count as 1
                    MakeCase{2, 3, -5, {}, 2, u"C4:C5"},
                    MakeCase{16383, 1048575, 1, {}, 1, u"XFD1048576"},
                    MakeCase{
                        2147483647, 2147483647, 2, {}, 2, u"FXSHRXX2147483648:FXSHRXY2147483649"}));

TEST(MakeCellRangeRefTest, OneFlagForAllFourPlaces) {
  EXPECT_EQ(MakeCellRangeRef(0, 0, 3, true, 2), u"$A$1:$C$2");
  EXPECT_EQ(MakeCellRangeRef(0, 0), u"A1");
  EXPECT_EQ(MakeCellRangeRef(27, 9, 1, true), u"$AB$10");
}

TEST(MakeCellRangeRefOpenTest, OpenCountsRunToTheFormatsLastCell) {
  EXPECT_EQ(MakeCellRangeRefOpen(16384, 1048576, 1, 2, 3, 4), u"B3:D6");
  EXPECT_EQ(MakeCellRangeRefOpen(16384, 1048576, 0, 0, 0, 0), u"A1:XFD1048576");
  EXPECT_EQ(MakeCellRangeRefOpen(1024, 1048576, 2, 0, -1, 5), u"C1:AMJ5");
  EXPECT_EQ(MakeCellRangeRefOpen(256, 65536, -3, -3, 2, 0), u"A1:B65536");
}

}  // namespace
}  // namespace workbook
