#pragma once
// Sheet-qualified references: the XLSX and BIFF form 'Sheet'!$A$1:$B$2 and the OpenDocument
// form $'Sheet'.$A$1:'Sheet'.$B$2.
#include <string>
#include <string_view>

#include "workbook/core/cell_refs.h"

namespace workbook {

// Every "'" doubled, and with truncate only the first 31 characters (the XLSX and BIFF limit).
std::u16string QuoteSheetName(std::u16string_view name, bool truncate);

// "Sheet1!A1:B2", "'My ''Q1'''!$A$1" or "A1": the sheet name (quotes taken off, "''" read as
// one "'") and the range as ParseCellRangeRef reads it; without "!" the name is empty.
bool ParseSheetCellRangeRef(std::u16string_view text, std::u16string& sheetName, TCellRangeRef& ref,
                            bool mustBeRange = false);
bool ParseSheetCellRangeRefColRow(std::u16string_view text, std::u16string& sheetName, int& col1,
                                  int& row1, int& col2, int& row2, bool mustBeRange = false);

// 'name'!A1:B2 with the name truncated to 31 characters; the range as MakeCellRangeRefEx.
std::u16string MakeSheetRangeRef(std::u16string_view name, int col, int row, TRefAbsolute absolute,
                                 int colSpan = 1, int rowSpan = 1);
// 'name'!$A:$C and 'name'!$1:$3 (whole columns and whole rows); a count below 1 counts as 1.
std::u16string MakeSheetColRangeRef(std::u16string_view name, int col, int colCount);
std::u16string MakeSheetRowRangeRef(std::u16string_view name, int row, int rowCount);

// OpenDocument: 'name'.A1, with spans :'name'.C3; when absolute, "$" before every sheet name,
// column and row. The name is quoted but never truncated.
std::u16string MakeODSRangeRef(std::u16string_view name, int col, int row, bool absolute = false,
                               int rowSpan = 1, int colSpan = 1);
// 'name'.A:'name'.C and 'name'.1:'name'.3, with "$" as MakeODSRangeRef.
std::u16string MakeODSColRangeRef(std::u16string_view name, int col, int colCount,
                                  bool absolute = false);
std::u16string MakeODSRowRangeRef(std::u16string_view name, int row, int rowCount,
                                  bool absolute = false);

}  // namespace workbook
