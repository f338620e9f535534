#pragma once
// The dialog in which the user picks the one worksheet a delimited-text writer writes.
namespace workbook {

class TWorkbook;

// A text file holds one sheet, so with several the user chooses which; the choice becomes the
// active sheet. False when the user backs out.
bool SelectWorksheetDialog(TWorkbook& workbook);

}  // namespace workbook
