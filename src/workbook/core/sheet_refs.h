#pragma once
// Sheet-qualified references: the XLSX and BIFF form 'Sheet'!$A$1:$B$2 and the OpenDocument
// form $'Sheet'.$A$1:'Sheet'.$B$2.
#include <string>
#include <string_view>

#include "workbook/core/cell_refs.h"

namespace workbook {

// Every "'" doubled, and with Truncate only the first 31 characters (the XLSX and BIFF limit).
std::u16string QuoteSheetName(std::u16string_view Name, bool Truncate);

// "Sheet1!A1:B2", "'My ''Q1'''!$A$1" or "A1": the sheet name (quotes taken off, "''" read as
// one "'") and the range as ParseCellRangeRef reads it; without "!" the name is empty.
bool ParseSheetCellRangeRef(std::u16string_view Text, std::u16string& SheetName, TCellRangeRef& Ref,
                            bool MustBeRange = false);
bool ParseSheetCellRangeRefColRow(std::u16string_view Text, std::u16string& SheetName, int& Col1,
                                  int& Row1, int& Col2, int& Row2, bool MustBeRange = false);

// 'Name'!A1:B2 with the name truncated to 31 characters; the range as MakeCellRangeRefEx.
std::u16string MakeSheetRangeRef(std::u16string_view Name, int Col, int Row, TRefAbsolute Absolute,
                                 int ColSpan = 1, int RowSpan = 1);
// 'Name'!$A:$C and 'Name'!$1:$3 (whole columns and whole rows); a count below 1 counts as 1.
std::u16string MakeSheetColRangeRef(std::u16string_view Name, int Col, int ColCount);
std::u16string MakeSheetRowRangeRef(std::u16string_view Name, int Row, int RowCount);

// OpenDocument: ("$" when Absolute) 'Name'.A1, with spans :'Name'.C3 (the cells with "$" when
// Absolute); the name is quoted but never truncated.
std::u16string MakeODSRangeRef(std::u16string_view Name, int Col, int Row, bool Absolute = false,
                               int RowSpan = 1, int ColSpan = 1);
// 'Name'.A:'Name'.C and 'Name'.1:'Name'.3.
std::u16string MakeODSColRangeRef(std::u16string_view Name, int Col, int ColCount,
                                  bool Absolute = false);
std::u16string MakeODSRowRangeRef(std::u16string_view Name, int Row, int RowCount,
                                  bool Absolute = false);

}  // namespace workbook
