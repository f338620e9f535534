#pragma once
// The column widths and row heights of one sheet in pixels, as TExportWorkSheet::CalcAutoSizes
// computes them for writing; the writers size columns and rows with them, and
// TExportWorkSheet::GetPixelPosition places pictures and comment boxes on them. A missing or
// negative entry takes the default. A grid made by hand (readers placing pictures from anchors)
// keeps the spreadsheet programs' usual 64 by 20 pixels.
#include <vector>

namespace workbook {

struct TSheetPixelGrid {
  std::vector<double> ColWidths;
  std::vector<double> RowHeights;
  double DefaultColWidth = 64;
  double DefaultRowHeight = 20;

  double ColWidth(int col) const;
  double RowHeight(int row) const;
};

}  // namespace workbook
