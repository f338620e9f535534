#include <algorithm>

#include "workbook/model/workbook.h"
#include "workbook/model/worksheet.h"

namespace workbook {

void TExportWorkSheet::PrepareRowWrite(TCustomExporter& exporter, int rowIndex,
                                       TSheetPixelGrid* grid) {
  TWorkbook* workbook = GetWorkbook();
  if (!workbook || !workbook->WriteRowsByEvent || rowIndex < 0) return;
  if (OnGetRow && rowIndex < Rows.Count())
    OnGetRow(*workbook, *this, *Rows.GetItem(rowIndex));
  else if (OnAddRow && rowIndex == Rows.Count())
    OnAddRow(*workbook, exporter, *this, rowIndex);
  else
    return;
  // The rows written since the last call keep only the cells something still needs, and a row
  // left plain goes as well, so that the rows written are not held. Each row is visited once,
  // however many earlier rows keep cells.
  if (rowIndex < sweptRows_) sweptRows_ = 0;  // a new write began
  for (int i = sweptRows_; i < rowIndex && i < Rows.Count(); ++i) {
    TExportRow* row = Rows.PeekItem(i);
    if (!row) continue;
    TExportCells& cells = row->Cells;
    for (int last = cells.Count() - 1; last >= 0; --last) {
      TExportCell* cell = cells.PeekItem(last);
      if (cell && !cell->CanFreeAfterWrite()) break;
      cells.Delete(last);
    }
    if (row->IsPlain()) Rows.EmptySlot(i);
  }
  sweptRows_ = std::max(sweptRows_, rowIndex);
  if (grid) CalcAutoSizes(exporter, *grid, rowIndex);
}

}  // namespace workbook
