#include "workbook/model/named_cells_formula.h"

#include <algorithm>

#include "workbook/model/limits.h"
#include "workbook/model/named_cells.h"

namespace workbook {

bool TExportNamedCellsFormulaSource::FindName(std::u16string_view name, TRPNRange& range) const {
  const TExportRange* found = nullptr;
  if (!names_.FindName(std::u16string(name), found) || found == nullptr) return false;
  range.Col = std::max(found->Col, 0);
  range.Row = std::max(found->Row, 0);
  range.ColCount = found->ColCount >= 1 ? found->ColCount : kMaxSheetCols - range.Col;
  range.RowCount = found->RowCount >= 1 ? found->RowCount : kMaxSheetRows - range.Row;
  range.Col1Absolute = range.Row1Absolute = range.Col2Absolute = range.Row2Absolute = true;
  range.WorkSheet = found->WorkSheet;
  return true;
}

int TExportNamedCellsFormulaSource::NamePosition(std::u16string_view name) const {
  return names_.PositionOf(std::u16string(name)) + 1;
}

bool TExportNamedCellsFormulaSource::NameAtPosition(int position, std::u16string& name) const {
  return names_.NameAt(position - 1, name);
}

}  // namespace workbook
