#pragma once
// The model's small enumerations as the file formats name them (XLSX attribute texts, ODS
// attribute texts, BIFF8 bit fields), in both directions where the readers need them. Values
// outside an enumeration write as its first entry and read back as 0.
#include <cstdint>
#include <string_view>

namespace workbook {

// Horizontal alignment: 0 general, 1 left, 2 center, 3 right, 4 fill, 5 justify.
std::u16string_view HAlignToXLSX(int Value);
int XLSXToHAlign(std::u16string_view Text);  // by first letter: c, f, j, l, r
std::u16string_view HAlignToODS(int Value);  // fo:text-align
uint8_t HAlignToXLS(int Value);              // bits 0-2 of the XF alignment byte
int XLSToHAlign(uint8_t AlignmentByte);

// Vertical alignment: 0 default (bottom), 1 top, 2 center, 3 bottom, 4 justify, 5 distributed.
std::u16string_view VAlignToXLSX(int Value);
int XLSXToVAlign(std::u16string_view Text);  // by first letter: b, c, d, j, t
std::u16string_view VAlignToODS(int Value);  // style:vertical-align
uint8_t VAlignToXLS(int Value);              // bits 4-6 of the XF alignment byte
int XLSToVAlign(uint8_t AlignmentByte);

// fo:wrap-option.
std::u16string_view WrapToODS(bool Wrap);

// Text rotation byte of BIFF8 and of XLSX textRotation: 255 stacked, 0..90 upwards, 91..180
// downwards (90 + angle below the horizontal).
uint8_t RotationToXLS(int Rotation, bool Stacked);
void XLSToRotation(uint8_t Value, int& Rotation, bool& Stacked);

// Border line style: 0 not set, 1 none, 2 thin, 3 medium, 4 dashed, 5 dotted, 6 thick, 7 double,
// 8 hair, 9 mediumDashed, 10 dashDot, 11 mediumDashDot, 12 dashDotDot, 13 mediumDashDotDot,
// 14 slantDashDot.
inline constexpr int kBorderStyleCount = 15;
std::u16string_view BorderStyleToXLSX(int Value);
int XLSXToBorderStyle(std::u16string_view Text);  // unknown or empty: 1 (none)
// The ODS border text ("0.74pt solid"); the writer appends the colour unless the style is none.
std::u16string_view BorderStyleToODS(int Value);
uint8_t BorderStyleToXLS(int Value);  // 4-bit line code
int XLSToBorderStyle(uint8_t Code);

// Page orientation: 0 portrait, 1 landscape (the same texts in XLSX and ODS).
std::u16string_view PageOrientationToXLSX(int Value);
int XLSXToPageOrientation(std::u16string_view Text);
std::u16string_view PageOrientationToODS(int Value);

// Page order: 0 over then down, 1 down then over.
std::u16string_view PageOrderToXLSX(int Value);
int XLSXToPageOrder(std::u16string_view Text);
std::u16string_view PageOrderToODS(int Value);

// Pane split: 0 none, 1 horizontal, 2 vertical, 3 both.
std::u16string_view PaneSplitToXLSX(int Value);

// style:cell-protect of a protection set (bit 0 locked, bit 1 formula hidden).
std::u16string_view CellProtectionToODS(uint8_t Protection);

}  // namespace workbook
