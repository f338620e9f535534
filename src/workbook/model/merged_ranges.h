#pragma once
// Merged ranges. The model keeps a merge as the column and row span of its top-left cell.

namespace workbook {

class TExportWorkSheet;

// Gives the cell at the range's top-left (an empty cell when none exists) the range's spans.
// The corners may come in any order; False (nothing changed) when a corner lies outside the
// sheet or the range is a single cell.
bool ApplyMergedRange(TExportWorkSheet& sheet, int col1, int row1, int col2, int row2);

}  // namespace workbook
