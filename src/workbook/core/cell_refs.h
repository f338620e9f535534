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
int ColLettersToIndex(std::u16string_view Text);
// Bijective base 26 ("A" for 0, "AA" for 26); no upper limit; a negative Col gives "".
std::u16string ColIndexToLetters(int Col);

// [$]letters[$]digits, case-insensitive: "b$7" is column 1, row 6 with an absolute row. Answers
// False (leaving the outputs untouched) for anything else and for cells outside the largest sheet.
bool ParseCellRef(std::u16string_view Text, int& Col, int& Row, bool& ColAbsolute,
                  bool& RowAbsolute);
bool ParseCellRefColRow(std::u16string_view Text, int& Col, int& Row);

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

// "A1:B2" (a ":" at position 3 or later, both sides cells), or unless MustBeRange a single cell,
// which becomes a one-cell range with the second pair of flags False. The corners stay as written.
bool ParseCellRangeRef(std::u16string_view Text, TCellRangeRef& Ref, bool MustBeRange = false);
bool ParseCellRangeRefColRow(std::u16string_view Text, int& Col1, int& Row1, int& Col2, int& Row2,
                             bool MustBeRange = false);

// "A:C": True when 0 <= Col1 <= Col2 within the largest sheet.
bool ParseColRangeRef(std::u16string_view Text, int& Col1, int& Col2);
// "1:3": each side's digits, minus 1; True when 0 <= Row1 <= Row2 within the largest sheet.
bool ParseRowRangeRef(std::u16string_view Text, int& Row1, int& Row2);

// The digits of Text as a number ("B12" 12); 0 without digits, -1 when too large for a row.
int RowFromCellRef(std::u16string_view Text);

// The four "$" places of a range text: first column, first row, last column, last row.
struct TRefAbsolute {
  bool Col1 = false;
  bool Row1 = false;
  bool Col2 = false;
  bool Row2 = false;
  static TRefAbsolute All(bool Absolute) { return {Absolute, Absolute, Absolute, Absolute}; }
};

// A cell or range reference; a negative Row or Col gives a whole-column or whole-row range, and a
// single cell stays a single reference (spans below 2 add no second corner).
std::u16string MakeCellRangeRefEx(int Col, int Row, int ColSpan, TRefAbsolute Absolute,
                                  int RowSpan = 1);
std::u16string MakeCellRangeRef(int Col, int Row, int ColSpan = 1, bool Absolute = false,
                                int RowSpan = 1);
// First cell ":" last cell; a count below 1 runs to the format's last column or row (the limits
// are the format's column and row counts). Negative Col or Row count as 0.
std::u16string MakeCellRangeRefOpen(int MaxColCount, int MaxRowCount, int Col, int Row,
                                    int ColCount, int RowCount);

}  // namespace workbook
