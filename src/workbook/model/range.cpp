#include "workbook/model/range.h"

#include <algorithm>
#include <climits>

#include "workbook/core/cell_refs.h"
#include "workbook/core/sheet_refs.h"
#include "workbook/model/worksheet.h"

namespace workbook {

namespace {

std::u16string Dollar(bool absolute) { return absolute ? u"$" : u""; }

// The 1-based row number of a 0-based index.
std::u16string Number(int row) {
  const std::string digits = std::to_string(std::int64_t{row} + 1);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace

int TExportRange::Last(int first, int count) {
  return static_cast<int>(
      std::clamp<std::int64_t>(std::int64_t{first} + count - 1, INT_MIN, INT_MAX));
}

void TExportRange::SetRange(int col, int row, int colCount, int rowCount) {
  Col = col;
  Row = row;
  ColCount = colCount;
  RowCount = rowCount;
}

void TExportRange::SetCols(int col, int count) { SetRange(col, -1, count, -1); }

void TExportRange::SetRows(int row, int count) { SetRange(-1, row, -1, count); }

bool TExportRange::SameArea(const TExportRange& other) const {
  return WorkSheet == other.WorkSheet && Col == other.Col && Row == other.Row &&
         ColCount == other.ColCount && RowCount == other.RowCount;
}

std::u16string TExportRange::GetText() const {
  std::u16string ref;
  if (Row < 0 && Col >= 0) {
    // Whole columns keep both sides even for one column ("A:A"), as do whole rows.
    ref = Dollar(Col1Absolute) + ColIndexToLetters(Col) + u':' + Dollar(Col2Absolute) +
          ColIndexToLetters(std::max(Col2(), Col));
  } else if (Col < 0 && Row >= 0) {
    ref = Dollar(Row1Absolute) + Number(Row) + u':' + Dollar(Row2Absolute) +
          Number(std::max(Row2(), Row));
  } else {
    ref = MakeCellRangeRefEx(Col, Row, ColCount,
                             {Col1Absolute, Row1Absolute, Col2Absolute, Row2Absolute}, RowCount);
  }
  if (!WorkSheet) return ref;
  return u"'" + QuoteSheetName(WorkSheet->Name, true) + u"'!" + ref;
}

void TExportRange::AssignTo(TPersistent& target) const {
  auto* dest = dynamic_cast<TExportRange*>(&target);
  if (!dest) return TPersistent::AssignTo(target);
  dest->WorkSheet = WorkSheet;
  dest->SetRange(Col, Row, ColCount, RowCount);
  dest->Col1Absolute = Col1Absolute;
  dest->Row1Absolute = Row1Absolute;
  dest->Col2Absolute = Col2Absolute;
  dest->Row2Absolute = Row2Absolute;
}

std::u16string TExportCellAddress::GetText() const { return MakeCellRangeRef(Col, Row); }

bool TExportCellAddress::SetText(std::u16string_view text) {
  int col, row;
  if (!ParseCellRefColRow(text, col, row)) return false;
  Col = col;
  Row = row;
  return true;
}

void TExportCellAddress::AssignTo(TPersistent& target) const {
  auto* dest = dynamic_cast<TExportCellAddress*>(&target);
  if (!dest) return TPersistent::AssignTo(target);
  dest->Col = Col;
  dest->Row = Row;
}

}  // namespace workbook
