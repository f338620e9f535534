#include "workbook/core/cell_refs.h"

#include <gtest/gtest.h>

#include <tuple>

#include <string>

#include "workbook/core/sheet_refs.h"

namespace workbook {
namespace {

std::string Narrow(std::u16string_view text) { return std::string(text.begin(), text.end()); }

std::string Flag(bool absolute) { return absolute ? "$" : "."; }

// "COL ROW" and a "$" or "." per place; "no" when refused (outputs untouched).
std::string Cell(std::u16string_view text) {
  int col = -7, row = -7;
  bool colAbs = true, rowAbs = true;
  if (!ParseCellRef(text, col, row, colAbs, rowAbs))
    return col == -7 && row == -7 ? "no" : "no, outputs changed";
  return std::to_string(col) + " " + std::to_string(row) + " " + Flag(colAbs) + Flag(rowAbs);
}

std::string Range(std::u16string_view text, bool mustBeRange) {
  TCellRangeRef r{-1, -1, -1, -1, true, true, true, true};
  if (!ParseCellRangeRef(text, r, mustBeRange)) return "no";
  return std::to_string(r.Col1) + " " + std::to_string(r.Row1) + " " + std::to_string(r.Col2) +
         " " + std::to_string(r.Row2) + " " + Flag(r.Col1Absolute) + Flag(r.Row1Absolute) +
         Flag(r.Col2Absolute) + Flag(r.Row2Absolute);
}

template <class F>
std::string Lines(F parse, std::u16string_view text) {
  int first = -9, last = -9;
  if (!parse(text, first, last)) return "no";
  return std::to_string(first) + " " + std::to_string(last);
}

// The corpus references go through these parsers against openpyxl in the peer test; these are
// the edges no file holds.
TEST(CellRefsTest, ColumnLetters) {
  const std::pair<std::u16string, int> read[] = {
      {u"a", 0},       {u"Z", 25},      {u"AA", 26}, {u"ZZ", 701},   {u"AAA", 702},
      {u"XFD", 16383}, {u"ZZZ", 18277}, {u"$B", 1},  {u"B$7", 1},    {u"C:E", 2},
      {u"ABCD", -1},   {u"", -1},       {u"12", -1}, {u"\u00C1", -1}};
  for (const auto& [letters, index] : read)
    EXPECT_EQ(ColLettersToIndex(letters), index) << Narrow(letters);
  const std::pair<int, std::u16string> written[] = {
      {16384, u"XFE"}, {18278, u"AAAA"}, {2147483647, u"FXSHRXX"}, {-1, u""}};
  for (const auto& [index, letters] : written) EXPECT_EQ(ColIndexToLetters(index), letters);
  for (int col = 0; col < kMaxRefColCount; ++col)
    ASSERT_EQ(ColLettersToIndex(ColIndexToLetters(col)), col) << col;
}

TEST(CellRefsTest, SingleCells) {
  std::string read;
  for (std::u16string_view text : {u"A1", u"b$7", u"$A$1", u"aa10", u"XFD1048576", u"A0000001"})
    read += Cell(text) + "|";
  EXPECT_EQ(read, "0 0 ..|1 6 .$|0 0 $$|26 9 ..|16383 1048575 ..|0 0 ..|");
  // Row 0, rows and columns beyond the largest sheet, and digit runs of any length are simply
  // not references: no exception and no overflow.
  for (std::u16string_view text :
       {u"", u"7B", u"A1B", u"A", u"$1", u"A 1", u"A1 ", u"$$A1", u"A$B1", u"ABCD1", u"A1:B2",
        u"Sheet1!A1", u"A0", u"A1048577", u"XFE1", u"A2147483648", u"A4294967297",
        u"A99999999999999999999999999999999"})
    EXPECT_EQ(Cell(text), "no") << Narrow(text);
  const std::pair<std::u16string, int> rows[] = {
      {u"B12", 12}, {u"$C$1048576", 1048576}, {u"C", 0}, {u"A99999999999999999999", -1}};
  for (const auto& [text, row] : rows) EXPECT_EQ(RowFromCellRef(text), row) << Narrow(text);
}

TEST(CellRefsTest, Ranges) {
  // The corners stay as written; a single cell is a range unless one must be.
  EXPECT_EQ(Range(u"A1:B2", false), "0 0 1 1 ....");
  EXPECT_EQ(Range(u"$B$3", false), "1 2 1 2 $$..");
  for (std::u16string_view text : {u"A:B", u":A1", u"A1:B2:C3", u"A1:B0", u""})
    EXPECT_EQ(Range(text, false), "no") << Narrow(text);
  const std::pair<std::u16string, const char*> mustBeRange[] = {
      {u"$A$1:C$3", "0 0 2 2 $$.$"},
      {u"B2:A1", "1 1 0 0 ...."},
      {u"A1:XFD1048576", "0 0 16383 1048575 ...."},
      {u"A1", "no"},
      {u"A1:B", "no"},
      {u"A1:XFD1048577", "no"}};
  for (const auto& [text, expected] : mustBeRange) EXPECT_EQ(Range(text, true), expected);
}

TEST(CellRefsTest, WholeColumnsAndRows) {
  const std::pair<std::u16string, const char*> cols[] = {
      {u"A:C", "0 2"}, {u"$B:$B", "1 1"}, {u"A:XFD", "0 16383"}, {u"C:A", "no"},
      {u":C", "no"},   {u"A:", "no"},     {u"A:XFE", "no"},      {u"AC", "no"}};
  for (const auto& [text, expected] : cols)
    EXPECT_EQ(Lines(ParseColRangeRef, text), expected) << Narrow(text);
  const std::pair<std::u16string, const char*> rows[] = {
      {u"1:3", "0 2"},      {u"$5:$5", "4 4"}, {u"1:1048576", "0 1048575"},
      {u"3:1", "no"},       {u"0:3", "no"},    {u":3", "no"},
      {u"1:1048577", "no"}, {u"13", "no"},     {u"1:99999999999999999999", "no"}};
  for (const auto& [text, expected] : rows)
    EXPECT_EQ(Lines(ParseRowRangeRef, text), expected) << Narrow(text);
}

TEST(CellRefsTest, Building) {
  // Spans below 1 count as 1.
  const std::tuple<int, int, int, TRefAbsolute, int, std::u16string> cases[] = {
      {0, 0, 3, TRefAbsolute::All(true), 2, u"$A$1:$C$2"},
      {0, -1, 3, {}, 1, u"A:C"},
      {-1, 0, 1, {}, 3, u"1:3"},
      {-1, 4, 1, TRefAbsolute::All(true), 1, u"$5"},
      {1, 1, 1, {true, false, false, true}, 2, u"$B2:B$3"},
      {2, 3, -5, {}, 2, u"C4:C5"},
      {16383, 1048575, 1, {}, 1, u"XFD1048576"},
      {2147483647, 2147483647, 2, {}, 2, u"FXSHRXX2147483648:FXSHRXY2147483649"}};
  for (const auto& [col, row, colSpan, absolute, rowSpan, ref] : cases)
    EXPECT_EQ(MakeCellRangeRefEx(col, row, colSpan, absolute, rowSpan), ref) << Narrow(ref);
  EXPECT_EQ(MakeCellRangeRef(27, 9, 1, true), u"$AB$10");
  // Open counts run to the format's last cell.
  EXPECT_EQ(MakeCellRangeRefOpen(16384, 1048576, 1, 2, 3, 4), u"B3:D6");
  EXPECT_EQ(MakeCellRangeRefOpen(1024, 1048576, 2, 0, -1, 5), u"C1:AMJ5");
  EXPECT_EQ(MakeCellRangeRefOpen(256, 65536, -3, -3, 2, 0), u"A1:B65536");
}

TEST(QuoteSheetNameTest, DoublesQuotesAndTruncatesOnRequest) {
  EXPECT_EQ(QuoteSheetName(std::u16string(40, u'x'), true).size(), 31u);
  // Truncation counts the name's own characters, before doubling.
  EXPECT_EQ(QuoteSheetName(std::u16string(31, u'\''), true).size(), 62u);
}

// "SHEET|C1 R1 C2 R2" and a "$" or "." per place; "no" when refused (sheet untouched).
std::string Parse(std::u16string_view text, bool mustBeRange) {
  std::u16string sheet = u"untouched";
  TCellRangeRef r;
  if (!ParseSheetCellRangeRef(text, sheet, r, mustBeRange))
    return sheet == u"untouched" ? "no" : "no, sheet changed";
  std::string result = std::string(sheet.begin(), sheet.end()) + "|";
  for (int v : {r.Col1, r.Row1, r.Col2, r.Row2}) result += std::to_string(v) + " ";
  for (bool absolute : {r.Col1Absolute, r.Row1Absolute, r.Col2Absolute, r.Row2Absolute})
    result += absolute ? "$" : ".";
  return result;
}

// The XLSX reference reader's table in the formats reads sheet-qualified ranges through this.
TEST(ParseSheetCellRangeRefTest, Parses) {
  EXPECT_EQ(Parse(u"'A!B'!D4", false), "A!B|3 3 3 3 ....");
  EXPECT_EQ(Parse(u"Sheet1!A1", true), "no");
  for (std::u16string_view text : {u"'Open!A1", u"'Sheet'A1"})
    EXPECT_EQ(Parse(text, false), "no") << std::string(text.begin(), text.end());
}

TEST(MakeSheetRefTest, XlsxForms) {
  EXPECT_EQ(MakeSheetRangeRef(u"Sheet1", 0, 0, TRefAbsolute::All(true), 2, 2),
            u"'Sheet1'!$A$1:$B$2");
  EXPECT_EQ(MakeSheetRangeRef(u"It's", 2, 4, {}), u"'It''s'!C5");
  EXPECT_EQ(MakeSheetRangeRef(std::u16string(35, u'n'), 0, 0, {}),
            u"'" + std::u16string(31, u'n') + u"'!A1");
  EXPECT_EQ(MakeSheetColRangeRef(u"Sheet1", 0, 3), u"'Sheet1'!$A:$C");
  EXPECT_EQ(MakeSheetRowRangeRef(u"Sheet1", 0, 2), u"'Sheet1'!$1:$2");
  EXPECT_EQ(MakeSheetRowRangeRef(u"a'b", 9, 1), u"'a''b'!$10:$10");
}

// Absolute ranges and whole columns appear whole in the ODS named-range golden of the formats.
TEST(MakeSheetRefTest, OdsForms) {
  EXPECT_EQ(MakeODSRangeRef(u"My Sheet", 1, 1, false, 3), u"'My Sheet'.B2:'My Sheet'.B4");
  EXPECT_EQ(MakeODSRangeRef(u"It's", 0, 0), u"'It''s'.A1");
  // No length limit on ODS sheet names.
  EXPECT_EQ(MakeODSRangeRef(std::u16string(35, u'n'), 0, 0),
            u"'" + std::u16string(35, u'n') + u"'.A1");
  EXPECT_EQ(MakeODSColRangeRef(u"S", 0, 3), u"'S'.A:'S'.C");
  EXPECT_EQ(MakeODSRowRangeRef(u"S", 0, 2), u"'S'.1:'S'.2");
  EXPECT_EQ(MakeODSRowRangeRef(u"S", 4, 1, true), u"$'S'.$5:$'S'.$5");
}

}  // namespace
}  // namespace workbook
