// The XLSX forms of a range: the sqref attribute and the references of the sheet and workbook
// parts.
#include <algorithm>
#include <cstdlib>

#include "workbook/core/cell_refs.h"
#include "workbook/core/sheet_refs.h"
#include "workbook/model/range.h"

namespace workbook {

namespace {

// The sheet part (up to the last "!") taken off: a cell part never holds "!".
std::u16string_view CellPart(std::u16string_view text) {
  const std::size_t bang = text.rfind(u'!');
  return bang == std::u16string_view::npos ? text : text.substr(bang + 1);
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
    OrderCellRangeCorners(ref);
    SetRange(ref.Col1, ref.Row1, ref.Col2 - ref.Col1 + 1, ref.Row2 - ref.Row1 + 1);
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

}  // namespace workbook
