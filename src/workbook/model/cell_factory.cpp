#include "workbook/model/cell_class_visit.h"

namespace workbook {

TOwnedPtr<TExportCell> NewExportCell(TCellClass cellClass) {
  return VisitCellClass(cellClass, [](auto tag) -> TOwnedPtr<TExportCell> {
    using T = typename decltype(tag)::type;
    return TOwnedPtr<TExportCell>(TOwnedListObject::Create<T>().release());
  });
}

std::unique_ptr<TOwnedListObject> TExportCell::NewInstance() const {
  return VisitCellClass(CellClass(), [](auto tag) -> std::unique_ptr<TOwnedListObject> {
    using T = typename decltype(tag)::type;
    return std::make_unique<T>();
  });
}

}  // namespace workbook
