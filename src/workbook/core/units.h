#pragma once
// Unit conversions between the model (centimetres for page margins, pixels for column widths
// and row heights) and what the files store, and the XML Boolean texts.
#include <string_view>

namespace workbook {

double CmToInch(double x);
double InchToCm(double x);

// An XLSX column width (characters, invariant number text) in pixels.
double XLSXColWidthToPixels(std::u16string_view text, double charWidth);
// An XLSX height in points (invariant number text) in pixels.
double XLSXPointsToPixels(std::u16string_view text);
// The same for a text that starts with the number ("12.5pt"); 0 when it does not.
double XLSXLeadingPointsToPixels(std::u16string_view text);
// A BIFF column width (1/256 of a character) in pixels.
double XLSColWidthToPixels(double width, double charWidth);

// True when text starts with "1", "T" or "t"; an empty text gives fallback; anything else false.
bool XMLStrToBoolDef(std::u16string_view text, bool fallback);

}  // namespace workbook
