#pragma once
// The model's small enumerations as the file formats name them (XLSX attribute texts, ODS
// attribute texts, BIFF8 bit fields), in both directions where the readers need them. Values
// outside an enumeration write as its first entry and read back as 0.
#include <cstdint>
#include <string_view>

namespace workbook {

// Horizontal alignment codes count up in SpreadsheetML's order, from 0 (general) to 5 (justify).
std::u16string_view HAlignToXLSX(int value);
int XLSXToHAlign(std::u16string_view text);  // by first letter: c, f, j, l, r
std::u16string_view HAlignToODS(int value);  // fo:text-align
uint8_t HAlignToXLS(int value);              // bits 0-2 of the XF alignment byte
int XLSToHAlign(uint8_t alignmentByte);

// Vertical alignment codes: 0 leaves the format's default (bottom), 1 to 5 follow SpreadsheetML's
// order from top to distributed.
std::u16string_view VAlignToXLSX(int value);
int XLSXToVAlign(std::u16string_view text);  // by first letter: b, c, d, j, t
std::u16string_view VAlignToODS(int value);  // style:vertical-align
uint8_t VAlignToXLS(int value);              // bits 4-6 of the XF alignment byte
int XLSToVAlign(uint8_t alignmentByte);

// fo:wrap-option.
std::u16string_view WrapToODS(bool wrap);

// Text rotation byte of BIFF8 and of XLSX textRotation: 255 stacked, 0..90 upwards, 91..180
// downwards (90 + angle below the horizontal).
uint8_t RotationToXLS(int rotation, bool stacked);
void XLSToRotation(uint8_t value, int& rotation, bool& stacked);

// Border line codes: 0 and 1 tell "inherit" from "no line"; from 2 on they are SpreadsheetML's
// style names in its own order (thin first, slantDashDot last), so one table serves every format.
inline constexpr int kBorderStyleCount = 15;
std::u16string_view BorderStyleToXLSX(int value);
int XLSXToBorderStyle(std::u16string_view text);  // unknown or empty: 1 (none)
// The ODS border text ("0.74pt solid"); the writer appends the colour unless the style is none.
std::u16string_view BorderStyleToODS(int value);
uint8_t BorderStyleToXLS(int value);  // 4-bit line code
int XLSToBorderStyle(uint8_t code);

// Page orientation: 0 portrait, 1 landscape (the same texts in XLSX and ODS).
std::u16string_view PageOrientationToXLSX(int value);
int XLSXToPageOrientation(std::u16string_view text);
std::u16string_view PageOrientationToODS(int value);

// Page order code: 0 across then down, 1 down then across.
std::u16string_view PageOrderToXLSX(int value);
int XLSXToPageOrder(std::u16string_view text);
std::u16string_view PageOrderToODS(int value);

// Pane split code: bit 0 a horizontal split, bit 1 a vertical one.
std::u16string_view PaneSplitToXLSX(int value);

// style:cell-protect of a protection set (bit 0 locked, bit 1 formula hidden).
std::u16string_view CellProtectionToODS(uint8_t protection);

}  // namespace workbook
