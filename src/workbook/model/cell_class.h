#pragma once
// The concrete cell classes, as readers and callers name them when they create or change a cell.
#include <cstdint>

#include "workbook/core/number_format_code.h"
#include "workbook/core/owned_list.h"

namespace workbook {

enum class TCellClass : std::uint8_t {
  Empty,
  String,
  Number,
  Percent,
  Currency,
  Scientific,
  Fraction,
  DateTime,
  Time,
  Boolean,
};

class TExportCell;

// The class a number value takes under a format code of that class (a plain number for codes
// that name none, such as "General").
TCellClass CellClassOfNumberFormat(TNumberFormatClass formatClass);

// A new cell of the class in no row (its creation has run).
TOwnedPtr<TExportCell> NewExportCell(TCellClass cellClass);

}  // namespace workbook
