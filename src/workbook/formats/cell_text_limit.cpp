#include "workbook/formats/cell_text_limit.h"

#include "workbook/core/cell_refs.h"
#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/worksheet.h"

namespace workbook {

void CheckCellTextLength(const TExportCell& cell, const std::u16string& tooLong) {
  if (cell.CellClass() != TCellClass::String) return;
  if (static_cast<const TExportCellString&>(cell).GetValueShared().size() <= kMaxCellTextLength)
    return;
  const TExportWorkSheet* sheet = cell.GetWorkSheet();
  throw EWorkbookFileException(
      FormatLibraryText(tooLong, sheet ? sheet->Name : std::u16string(),
                        MakeCellRangeRef(cell.GetColIndex(), cell.GetRowIndex())));
}

}  // namespace workbook
