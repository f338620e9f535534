#pragma once
// The longest text a cell of an .xls or an .xlsx file holds. Longer texts are refused rather than
// cut: a save must not lose part of a cell without a word.
#include <cstddef>
#include <string>

namespace workbook {

class TExportCell;

inline constexpr std::size_t kMaxCellTextLength = 32767;

// EWorkbookFileException with tooLong (a library text naming the sheet, then the cell) when cell
// is a text cell whose text is longer than kMaxCellTextLength characters.
void CheckCellTextLength(const TExportCell& cell, const std::u16string& tooLong);

}  // namespace workbook
