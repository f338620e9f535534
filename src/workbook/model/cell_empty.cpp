#include "workbook/model/cell_empty.h"

namespace workbook {

void TExportCellEmpty::SetValueText(const std::u16string& text) {
  // Transform frees this cell; only the new one may be used from here on.
  Transform(TCellClass::String)->SetValueText(text);
}

}  // namespace workbook
