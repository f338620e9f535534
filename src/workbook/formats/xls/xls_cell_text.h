#pragma once
// The invariant value text of a decoded XLS cell, the text the model's cell for it gives:
// numbers with "." and up to 15 digits, date/time values by their format's kind (in 1904
// workbooks shifted to the 1900 day serials), Booleans "1"/"0", error values and blanks empty,
// text with its line breaks as CR LF.
#include <string>

#include "workbook/formats/xls/xls_globals.h"
#include "workbook/formats/xls/xls_sheet_reader.h"

namespace workbook {

std::u16string XLSCellValueText(const TXLSCell& cell, const TXLSGlobals& globals);

}  // namespace workbook
