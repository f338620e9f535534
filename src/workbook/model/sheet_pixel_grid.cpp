#include "workbook/model/sheet_pixel_grid.h"

#include <cmath>

namespace workbook {

namespace {

double Entry(const std::vector<double>& list, int index, double fallback) {
  if (index < 0 || static_cast<std::size_t>(index) >= list.size() || list[index] < 0)
    return fallback;
  return list[index];
}

}  // namespace

double TSheetPixelGrid::ColWidth(int col) const { return Entry(ColWidths, col, DefaultColWidth); }

double TSheetPixelGrid::RowHeight(int row) const {
  return Entry(RowHeights, row, DefaultRowHeight);
}

void TSheetPixelGrid::GetPixelPosition(int& x, int& y, int col1, int col2, int baseX, int row1,
                                       int row2, int baseY) const {
  double sx = baseX, sy = baseY;
  for (int c = col1; c < col2; ++c) sx += ColWidth(c);
  for (int r = row1; r < row2; ++r) sy += RowHeight(r);
  x = static_cast<int>(std::lround(sx));
  y = static_cast<int>(std::lround(sy));
}

void TSheetPixelGrid::GetCellAtPixelPosition(int& col, int& row, int& x, int& y, int maxCol,
                                             int maxRow) const {
  // Hidden (zero-width) columns never use up the offset: the sheet's edge ends the walk.
  double rx = x, ry = y;
  while (col < maxCol && rx >= ColWidth(col)) rx -= ColWidth(col++);
  while (row < maxRow && ry >= RowHeight(row)) ry -= RowHeight(row++);
  x = static_cast<int>(std::lround(rx));
  y = static_cast<int>(std::lround(ry));
}

}  // namespace workbook
