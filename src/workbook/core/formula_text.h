#pragma once
// Formula text between the model's syntax (a leading "=", "," between arguments, plain A1
// references) and the file formats'. String literals ("...") and quoted sheet names ('...') are
// always copied untouched.
#include <string>
#include <string_view>

namespace workbook {

// XLSX: without the leading "=", every ";" turned into ",".
std::u16string FormulaToXLSX(std::u16string_view formula);

// OpenDocument: references in square brackets with a "." before each cell ([.A1:.B2], a sheet
// name before the dot: ['My Sheet'.A1]) and ";" between arguments. With addPrefix the text
// starts with "of:" and keeps (or gets) the "="; without it a leading "=" is dropped.
std::u16string FormulaToODS(std::u16string_view formula, bool addPrefix);
// One reference or range ("A1", "$A$1:B2") in its bracketed ODS form ("[.A1]", "[.$A$1:.B2]").
std::u16string CellRefToODS(std::u16string_view ref);
// The Excel-syntax form some ODS producers write: "msoxl:" + the formula with its "=".
std::u16string FormulaToODSExcel(std::u16string_view formula);
// Back from OpenDocument: "of:=SUM([.A1:.B2];[.C3])" gives "=SUM(A1:B2,C3)" and
// "[$'My Sheet'.A1]" gives "'My Sheet'!A1".
std::u16string ODSFormulaToFormula(std::u16string_view text);

// XLSX shared formulas: every relative part of every A1 reference moved by the offsets ("$" parts
// stay), whole columns ("E:F") by the column offset and whole rows ("5:6") by the row offset; a
// reference pushed off the sheet becomes "#REF!". Function names are not references.
std::u16string OffsetFormulaRefs(std::u16string_view formula, int colOffset, int rowOffset);

}  // namespace workbook
