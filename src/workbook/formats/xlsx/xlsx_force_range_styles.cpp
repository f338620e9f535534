#include "workbook/formats/xlsx/xlsx_force_range_styles.h"

#include <algorithm>

namespace workbook {

void TExporterXLSX_ForceRangeStyles::Add(int col, int row, int colCount, int rowCount, int xf) {
  if (colCount < 1 || rowCount < 1) return;
  ranges_.push_back({col, row, colCount, rowCount, xf});
}

int TExporterXLSX_ForceRangeStyles::IndexOfCell(int col, int row) {
  for (int i = Count() - 1; i >= 0; --i) {
    const TRange& range = ranges_[static_cast<std::size_t>(i)];
    if (range.LastRow() < row || (range.LastRow() == row && range.LastCol() < col)) {
      ranges_.erase(ranges_.begin() + i);
      continue;
    }
    if (row >= range.Row && col >= range.Col && col <= range.LastCol()) return i;
  }
  return -1;
}

int TExporterXLSX_ForceRangeStyles::GetLastColInRow(int row) {
  int last = -1;
  for (int i = Count() - 1; i >= 0; --i) {
    const TRange& range = ranges_[static_cast<std::size_t>(i)];
    if (range.LastRow() < row) {
      ranges_.erase(ranges_.begin() + i);
      continue;
    }
    if (range.Row <= row) last = std::max(last, range.LastCol());
  }
  return last;
}

int TExporterXLSX_ForceRangeStyles::GetLastRow() const {
  int last = -1;
  for (const TRange& range : ranges_) last = std::max(last, range.LastRow());
  return last;
}

}  // namespace workbook
