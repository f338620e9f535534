#pragma once
// The MERGEDCELLS record (0x00E5): a BIFF8 sheet's merge list into the cells' spans and back.
#include <cstdint>
#include <vector>

namespace workbook {

class TExportCell;
class TExportWorkSheet;
class TXLSRecordReader;

// The record data, the reader positioned at it; a column beyond 255 raises
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
