#pragma once
// Merged ranges. The model keeps a merge as the column and row span of its top-left cell; these
// routines turn a file's merge lists into spans and the sheet's spans into BIFF8 records.
#include <cstdint>
#include <vector>

namespace workbook {

class TExportCell;
class TExportWorkSheet;
class TXLSRecordReader;

// Gives the cell at the range's top-left (an empty cell when none exists) the range's spans.
// The corners may come in any order; False (nothing changed) when a corner lies outside the
// sheet or the range is a single cell.
bool ApplyMergedRange(TExportWorkSheet& sheet, int col1, int row1, int col2, int row2);

// MERGEDCELLS record data (0x00E5), the reader positioned at it; a column beyond 255 raises
// EWorkbookFileException.
void ReadXLSMergedCells(TExportWorkSheet& sheet, TXLSRecordReader& reader);
// A cell's merged range as BIFF8 lists it: first and last row, first and last column.
struct TXLSMergedArea {
  int Row1, Row2, Col1, Col2;
};
// The range the cell at Col, Row covers with its spans, cut at the edge of a BIFF8 sheet.
TXLSMergedArea XLSMergedArea(const TExportCell& cell, int col, int row);
// The MERGEDCELLS records of Areas (headers included; at most 1027 ranges each); empty when
// there are none. The writer collects the areas as it writes the cells: in write-rows-by-event
// mode the cells are gone by the sheet's end.
std::vector<std::uint8_t> WriteXLSMergedCells(const std::vector<TXLSMergedArea>& areas);

}  // namespace workbook
