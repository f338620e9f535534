#include "workbook/model/sheet_pixel_grid.h"

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

}  // namespace workbook
