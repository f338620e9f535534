#pragma once
// A rectangular cell range with its reference texts, and a single cell address. Both are small
// value objects that page setup, sheet views, defined names and formulas share.
#include <cstdint>
#include <string>
#include <string_view>

#include "workbook/core/object.h"

namespace workbook {

class TExportWorkSheet;

class TExportRange : public TPersistent {
 public:
  TExportRange() = default;
  explicit TExportRange(TExportWorkSheet* workSheet) : WorkSheet(workSheet) {}

  TExportWorkSheet* WorkSheet = nullptr;  // not owned
  int Col = -1;
  int Row = -1;
  int ColCount = 1;  // -1: every column (a whole-row range)
  int RowCount = 1;  // -1: every row (a whole-column range)
  bool Col1Absolute = false;
  bool Row1Absolute = false;
  bool Col2Absolute = false;
  bool Row2Absolute = false;

  // Last column and row; computed in 64 bits so huge counts cannot wrap.
  int Col2() const { return Last(Col, ColCount); }
  int Row2() const { return Last(Row, RowCount); }
  bool HasCols() const { return Col >= 0 && ColCount >= 1; }
  bool HasRows() const { return Row >= 0 && RowCount >= 1; }
  bool HasColsAndRows() const { return HasCols() && HasRows(); }

  void SetRange(int col, int row, int colCount, int rowCount);
  // Whole columns (Row and RowCount -1) and whole rows (Col and ColCount -1).
  void SetCols(int col, int count);
  void SetRows(int row, int count);
  // The count from a last index.
  void SetCol2(int col2) { ColCount = col2 - Col + 1; }
  void SetRow2(int row2) { RowCount = row2 - Row + 1; }
  void SetAbsolute(bool absolute) {
    Col1Absolute = Row1Absolute = Col2Absolute = Row2Absolute = absolute;
  }
  // The same sheet and area (flags aside).
  bool SameArea(const TExportRange& other) const;

  // The reference with its own "$" flags: 'Sheet'!A1:B2 with a worksheet, else A1:B2 ("A1" for
  // one cell); whole columns as A:C and whole rows as 1:3.
  std::u16string GetText() const;
  // The OpenDocument address: with a worksheet the sheet-qualified range, whole columns or whole
  // rows (empty when the range has neither); without one the plain A1:B2 text without "$".
  std::u16string GetODSText() const;
  // The XLSX sqref: whole rows and columns run to the XLSX limits.
  std::u16string GetSqrefText() const;

  // Sheet1!$A$1:$B$2, 'My sheet'!A1, A1, $A:$C or $1:$3 (the sheet part is not looked up).
  // False, leaving the range unchanged, for anything else or a place outside the largest sheet.
  bool ReadXLSXReference(std::u16string_view text);
  // The same; a range over every column (A to XFD) gets ColCount -1 and one over every row
  // (1 to 1048576) RowCount -1.
  bool ReadXLSXReferenceLimits(std::u16string_view text);

  void AssignTo(TPersistent& dest) const override;

 private:
  static int Last(int first, int count);
};

class TExportCellAddress : public TPersistent {
 public:
  int Row = 0;
  int Col = 0;

  // "A1" form, relative.
  std::u16string GetText() const;
  // Parses an "A1" reference; an invalid text changes nothing.
  bool SetText(std::u16string_view text);
  void AssignTo(TPersistent& dest) const override;
};

}  // namespace workbook
