#pragma once
// The column widths and row heights of one sheet in pixels, as TExportWorkSheet::CalcAutoSizes
// computes them for writing; the writers size columns and rows and place pictures and comment
// boxes with them. A missing or negative entry takes the default. A grid made by hand (readers
// placing pictures from anchors) keeps the spreadsheet programs' usual 64 by 20 pixels.
#include <vector>

namespace workbook {

struct TSheetPixelGrid {
  std::vector<double> ColWidths;
  std::vector<double> RowHeights;
  double DefaultColWidth = 64;
  double DefaultRowHeight = 20;

  double ColWidth(int col) const;
  double RowHeight(int row) const;
  // X = baseX + widths of col1..Col2-1, Y likewise; both rounded.
  void GetPixelPosition(int& x, int& y, int col1, int col2, int baseX, int row1, int row2,
                        int baseY) const;
  // From (col, row) walks right while the X offset covers the column, down likewise; the end
  // cell and the remaining offsets (rounded). maxCol/maxRow bound the walk to the sheet.
  void GetCellAtPixelPosition(int& col, int& row, int& x, int& y, int maxCol = 16383,
                              int maxRow = 1048575) const;
};

}  // namespace workbook
