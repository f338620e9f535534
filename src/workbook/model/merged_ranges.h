#pragma once
// Merged ranges. The model keeps a merge as the column and row span of its top-left cell; these
// routines turn a file's merge lists into spans and the sheet's spans into BIFF8 records.
#include <cstdint>
#include <vector>

namespace workbook {

class TExportWorkSheet;
class TXLSRecordReader;

// Gives the cell at the range's top-left (an empty cell when none exists) the range's spans.
// The corners may come in any order; False (nothing changed) when a corner lies outside the
// sheet or the range is a single cell.
bool ApplyMergedRange(TExportWorkSheet& sheet, int col1, int row1, int col2, int row2);

// MERGEDCELLS record data (0x00E5), the reader positioned at it; a column beyond 255 raises
// EWorkbookFileException.
void ReadXLSMergedCells(TExportWorkSheet& sheet, TXLSRecordReader& reader);
// The MERGEDCELLS records of the sheet's spans (headers included; at most 1027 ranges each);
// empty when no cell spans. Spans reaching beyond a BIFF8 sheet are cut at its edge.
std::vector<std::uint8_t> WriteXLSMergedCells(TExportWorkSheet& sheet);

}  // namespace workbook
