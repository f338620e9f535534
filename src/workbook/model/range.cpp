#include "workbook/model/range.h"

#include <algorithm>
#include <climits>

#include "workbook/core/cell_refs.h"
#include "workbook/core/sheet_refs.h"
#include "workbook/model/worksheet.h"

namespace workbook {

namespace {

// The sheet part (up to the last "!") taken off: a cell part never holds "!".
std::u16string_view CellPart(std::u16string_view text) {
  const std::size_t bang = text.rfind(u'!');
  return bang == std::u16string_view::npos ? text : text.substr(bang + 1);
}

std::u16string Dollar(bool absolute) { return absolute ? u"$" : u""; }

// The 1-based row number of a 0-based index.
std::u16string Number(int row) {
  const std::string digits = std::to_string(std::int64_t{row} + 1);
  return std::u16string(digits.begin(), digits.end());
}

// A list of areas ("A1:B2,C3" or "A1 C3") outside a quoted sheet name is no single reference.
bool IsAreaList(std::u16string_view text) {
  bool quoted = false;
  for (char16_t c : text) {
    if (c == u'\'') quoted = !quoted;
    if (!quoted && (c == u',' || c == u';' || c == u' ')) return true;
  }
  return false;
}

bool HasDollarBefore(std::u16string_view text, std::size_t pos) {
  return pos < text.size() && text[pos] == u'$';
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

std::u16string TExportRange::GetSqrefText() const {
  if (HasColsAndRows()) return MakeCellRangeRef(Col, Row, ColCount, false, RowCount);
  return MakeCellRangeRefOpen(kMaxRefColCount, kMaxRefRowCount, Col, Row, HasCols() ? ColCount : -1,
                              HasRows() ? RowCount : -1);
}

bool TExportRange::ReadXLSXReference(std::u16string_view text) {
  if (IsAreaList(text)) return false;
  const std::u16string_view cells = CellPart(text);
  TCellRangeRef ref;
  std::u16string sheet;
  if (ParseSheetCellRangeRef(text, sheet, ref)) {
    // The corners may come in any order.
    SetRange(std::min(ref.Col1, ref.Col2), std::min(ref.Row1, ref.Row2),
             std::abs(ref.Col2 - ref.Col1) + 1, std::abs(ref.Row2 - ref.Row1) + 1);
    Col1Absolute = ref.Col1Absolute;
    Row1Absolute = ref.Row1Absolute;
    const bool single = cells.find(u':') == std::u16string_view::npos;
    Col2Absolute = single ? ref.Col1Absolute : ref.Col2Absolute;
    Row2Absolute = single ? ref.Row1Absolute : ref.Row2Absolute;
    return true;
  }
  int first, last;
  const std::size_t colon = cells.find(u':');
  const bool secondAbsolute =
      colon != std::u16string_view::npos && HasDollarBefore(cells, colon + 1);
  // The core parsers drop what they do not expect: whole columns must hold no digit and whole
  // rows no letter.
  const bool hasDigit = cells.find_first_of(u"0123456789") != std::u16string_view::npos;
  const bool hasLetter = std::any_of(cells.begin(), cells.end(), [](char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
  });
  if (!hasDigit && ParseColRangeRef(cells, first, last)) {
    SetCols(first, last - first + 1);
    Col1Absolute = HasDollarBefore(cells, 0);
    Col2Absolute = secondAbsolute;
    Row1Absolute = Row2Absolute = false;
    return true;
  }
  if (!hasLetter && ParseRowRangeRef(cells, first, last)) {
    SetRows(first, last - first + 1);
    Row1Absolute = HasDollarBefore(cells, 0);
    Row2Absolute = secondAbsolute;
    Col1Absolute = Col2Absolute = false;
    return true;
  }
  return false;
}

bool TExportRange::ReadXLSXReferenceLimits(std::u16string_view text) {
  if (!ReadXLSXReference(text)) return false;
  if (Col == 0 && ColCount == kMaxRefColCount) ColCount = -1;
  if (Row == 0 && RowCount == kMaxRefRowCount) RowCount = -1;
  return true;
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
