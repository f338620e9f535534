// Placing pictures and comment boxes on a sheet's grid of column widths and row heights.
#include <cmath>

#include "workbook/model/worksheet.h"

namespace workbook {

void TExportWorkSheet::GetPixelPosition(const TSheetPixelGrid& grid, int& x, int& y, int col1,
                                        int col2, int baseX, int row1, int row2, int baseY) {
  double sx = baseX, sy = baseY;
  for (int c = col1; c < col2; ++c) sx += grid.ColWidth(c);
  for (int r = row1; r < row2; ++r) sy += grid.RowHeight(r);
  x = static_cast<int>(std::lround(sx));
  y = static_cast<int>(std::lround(sy));
}

void TExportWorkSheet::GetCellAtPixelPosition(const TSheetPixelGrid& grid, int& col, int& row,
                                              int& x, int& y, int maxCol, int maxRow) {
  // Hidden (zero-width) columns never use up the offset: the sheet's edge ends the walk.
  double rx = x, ry = y;
  while (col < maxCol && rx >= grid.ColWidth(col)) rx -= grid.ColWidth(col++);
  while (row < maxRow && ry >= grid.RowHeight(row)) ry -= grid.RowHeight(row++);
  x = static_cast<int>(std::lround(rx));
  y = static_cast<int>(std::lround(ry));
}

}  // namespace workbook
