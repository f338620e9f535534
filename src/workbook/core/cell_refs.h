#pragma once
// A1-style cell references: column letters, parsing and building of cells and ranges. Column and
// row indexes are 0-based; in text they are 1-based ("A", "1").
#include <string>
#include <string_view>

namespace workbook {

// The largest sheet any format holds (XLSX): references beyond it are not references.
inline constexpr int kMaxRefColCount = 16384;
inline constexpr int kMaxRefRowCount = 1048576;

// Column letters to a 0-based index ("A" 0, "AA" 26). Lenient, since references come from many
// writers: case, "$" and a row part are ignored, anything from ":" on is dropped; -1 when no
// letters, or more than three, remain.
int ColLettersToIndex(std::u16string_view text);
// Bijective base 26 ("A" for 0, "AA" for 26); no upper limit; a negative col gives "".
std::u16string ColIndexToLetters(int col);

// [$]letters[$]digits, case-insensitive: "b$7" is column 1, row 6 with an absolute row. Answers
// False (leaving the outputs untouched) for anything else and for cells outside the largest sheet.
bool ParseCellRef(std::u16string_view text, int& col, int& row, bool& colAbsolute,
                  bool& rowAbsolute);
bool ParseCellRefColRow(std::u16string_view text, int& col, int& row);

struct TCellRangeRef {
  int Col1 = 0;
  int Row1 = 0;
  int Col2 = 0;
  int Row2 = 0;
  bool Col1Absolute = false;
  bool Row1Absolute = false;
  bool Col2Absolute = false;
  bool Row2Absolute = false;
};

// "A1:B2" (a ":" at position 3 or later, both sides cells), or unless mustBeRange a single cell,
// which becomes a one-cell range with the second pair of flags False. The corners stay as written.
bool ParseCellRangeRef(std::u16string_view text, TCellRangeRef& ref, bool mustBeRange = false);
bool ParseCellRangeRefColRow(std::u16string_view text, int& col1, int& row1, int& col2, int& row2,
                             bool mustBeRange = false);
// Puts the corners in order (the first column and row the smaller), each "$" flag following its
// column or row: $B$2:A1 becomes A1:$B$2.
void OrderCellRangeCorners(TCellRangeRef& ref);

// "A:C": True when 0 <= col1 <= col2 within the largest sheet.
bool ParseColRangeRef(std::u16string_view text, int& col1, int& col2);
// "1:3": each side's digits, minus 1; True when 0 <= row1 <= row2 within the largest sheet.
bool ParseRowRangeRef(std::u16string_view text, int& row1, int& row2);

// The digits of text as a number ("B12" 12); 0 without digits, -1 when too large for a row.
int RowFromCellRef(std::u16string_view text);

// The four "$" places of a range text: first column, first row, last column, last row.
struct TRefAbsolute {
  bool Col1 = false;
  bool Row1 = false;
  bool Col2 = false;
  bool Row2 = false;
  static TRefAbsolute All(bool absolute) { return {absolute, absolute, absolute, absolute}; }
};

// A cell or range reference; a negative row or col gives a whole-column or whole-row range, and a
// single cell stays a single reference (spans below 2 add no second corner).
std::u16string MakeCellRangeRefEx(int col, int row, int colSpan, TRefAbsolute absolute,
                                  int rowSpan = 1);
std::u16string MakeCellRangeRef(int col, int row, int colSpan = 1, bool absolute = false,
                                int rowSpan = 1);
// First cell ":" last cell; a count below 1 runs to the format's last column or row (the limits
// are the format's column and row counts). Negative col or row count as 0.
std::u16string MakeCellRangeRefOpen(int maxColCount, int maxRowCount, int col, int row,
                                    int colCount, int rowCount);

}  // namespace workbook
