#pragma once
// The dialog in which the user picks the one worksheet a delimited-text writer writes.
namespace workbook {

class TWorkbook;

// True when writing may go on with the workbook's active worksheet: at once for fewer than two
// worksheets; otherwise the chosen sheet becomes active when the dialog closes through its button.
bool SelectWorksheetDialog(TWorkbook& workbook);

}  // namespace workbook
