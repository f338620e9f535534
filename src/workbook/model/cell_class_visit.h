#pragma once
// Calls F with the type tag of the concrete class that a TCellClass names, so that code creating
// cells by class value reaches the typed list and item factories.
#include <type_traits>

#include "workbook/model/cell_boolean.h"
#include "workbook/model/cell_class.h"
#include "workbook/model/cell_date_time.h"
#include "workbook/model/cell_empty.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"

namespace workbook {

template <class F>
decltype(auto) VisitCellClass(TCellClass cellClass, F&& f) {
  switch (cellClass) {
    case TCellClass::String:
      return f(std::type_identity<TExportCellString>{});
    case TCellClass::Number:
      return f(std::type_identity<TExportCellNumber>{});
    case TCellClass::Percent:
      return f(std::type_identity<TExportCellPercent>{});
    case TCellClass::Currency:
      return f(std::type_identity<TExportCellCurrency>{});
    case TCellClass::Scientific:
      return f(std::type_identity<TExportCellScientific>{});
    case TCellClass::Fraction:
      return f(std::type_identity<TExportCellFraction>{});
    case TCellClass::DateTime:
      return f(std::type_identity<TExportCellDateTime>{});
    case TCellClass::Time:
      return f(std::type_identity<TExportCellTime>{});
    case TCellClass::Boolean:
      return f(std::type_identity<TExportCellBoolean>{});
    case TCellClass::Empty:
      break;
  }
  return f(std::type_identity<TExportCellEmpty>{});
}

}  // namespace workbook
