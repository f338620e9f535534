#include "workbook/model/merged_ranges.h"

#include <algorithm>
#include <string>

#include "workbook/core/cell_refs.h"
#include "workbook/model/limits.h"
#include "workbook/model/worksheet.h"

namespace workbook {

bool ApplyMergedRange(TExportWorkSheet& sheet, int col1, int row1, int col2, int row2) {
  if (col1 > col2) std::swap(col1, col2);
  if (row1 > row2) std::swap(row1, row2);
  if (col1 < 0 || row1 < 0 || col2 >= kMaxSheetCols || row2 >= kMaxSheetRows) return false;
  if (col1 == col2 && row1 == row2) return false;
  TExportCell* cell = sheet.FindCreateCell(col1, row1, TCellClass::Empty, false);
  cell->SetColSpan(col2 - col1 + 1);
  cell->SetRowSpan(row2 - row1 + 1);
  return true;
}

}  // namespace workbook
