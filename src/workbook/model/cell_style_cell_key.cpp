// The style key of a cell: kept apart from cell_style.cpp because the cell depends on the style.
#include "workbook/model/cell.h"
#include "workbook/model/cell_style.h"

namespace workbook {

std::u16string TExportCellStyle::GetKeyString(const TExportCell* cell) {
  return cell != nullptr ? GetKeyString(std::u16string_view(cell->GetFormatCode()))
                         : GetKeyString(std::u16string_view());
}

}  // namespace workbook
