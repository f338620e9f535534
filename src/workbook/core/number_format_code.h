#pragma once
// Spreadsheet number-format codes: which kind of cell a code describes, with the details a cell
// class keeps (decimals, grouping, currency symbol, ...), and the plain numeric codes the cells
// build back.
#include <cstdint>
#include <string>
#include <string_view>

namespace workbook {

// The cell class a format code calls for; None for "General", "@" and other text formats, where
// the cell keeps whatever class its value gives it.
enum class TNumberFormatClass {
  None,
  Number,
  Percent,
  Currency,
  Scientific,
  Fraction,
  DateTime,
};

struct TNumberFormatRec {
  bool RedNegative = false;
  bool ThousandSeparator = false;
  uint8_t Decimals = 255;  // 255: general, no fixed decimals
  uint8_t IntegerZeros = 1;
  uint8_t ExponentDigits = 1;  // at most 3
  uint8_t FractionDigits = 1;  // at most 4
  std::u16string CurrencySymbol;
  uint8_t CurrencyPosition = 0;  // 0 before the number, 1 before with a "*" fill, 2 after
};

// True for the General format: no code, or "General" in any case.
bool IsGeneralFormatCode(std::u16string_view code);

// Classifies code (case-insensitive) by its first section. For a class other than None, format is
// reset and filled; for None it is left alone.
TNumberFormatClass ParseNumberFormat(std::u16string_view code, TNumberFormatRec& format);

// prefix + integerZeros zeros (+ "." + decimals zeros) + suffix; decimals 255 gives "".
std::u16string BuildNumberFormatCode(uint8_t decimals, uint8_t integerZeros,
                                     std::u16string_view prefix, std::u16string_view suffix);

}  // namespace workbook
