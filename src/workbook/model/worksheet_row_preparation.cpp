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
  // The rows already written keep only the cells something still needs.
  for (int i = rowIndex - 1; i >= 0 && Rows.RowHasCells(i); --i) {
    TExportCells& cells = Rows.PeekItem(i)->Cells;
    for (int last = cells.Count() - 1; last >= 0; --last) {
      TExportCell* cell = cells.PeekItem(last);
      if (cell && !cell->CanFreeAfterWrite()) break;
      cells.Delete(last);
    }
  }
  if (grid) CalcAutoSizes(exporter, *grid, rowIndex);
}

}  // namespace workbook
