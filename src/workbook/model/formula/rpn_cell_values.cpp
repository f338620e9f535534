#include "workbook/model/formula/rpn_cell_values.h"

#include <algorithm>

#include "workbook/model/cell_number.h"
#include "workbook/model/formula/rpn_formula.h"
#include "workbook/model/worksheet.h"

namespace workbook {

namespace {

TRPNValue NumberCellValue(TExportCellCustomNumber& cell) {
  if (cell.HasFormula() && !cell.HasValue) {
    const TRPNFormula* formula = cell.PeekRPNFormula();
    if (formula && formula->Evaluating()) return TRPNValue::Fail(TRPNError::Ref);
    if (TRPNFormula::EvaluationDepth() >= kRPNMaxCalculationDepth)
      return TRPNValue::Fail(TRPNError::Ref);
    cell.Calculate();
  }
  if (cell.FormulaError() != TRPNError::None) return TRPNValue::Fail(cell.FormulaError());
  return TRPNValue::Of(cell.Value);
}

TExportCell* PeekCell(TExportWorkSheet* sheet, int col, int row) {
  if (!sheet || col < 0 || row < 0) return nullptr;
  const TExportRow* found = sheet->Rows.PeekItem(row);
  return found ? found->Cells.PeekItem(col) : nullptr;
}

}  // namespace

bool RPNCellValue(TExportWorkSheet* sheet, int col, int row, bool plainNumber, TRPNValue& value) {
  TExportCell* cell = PeekCell(sheet, col, row);
  auto* number = plainNumber ? dynamic_cast<TExportCellNumber*>(cell)
                             : dynamic_cast<TExportCellCustomNumber*>(cell);
  if (!number) return false;
  value = NumberCellValue(*number);
  return true;
}

void RPNRangeValues(TExportWorkSheet* sheet, int col1, int row1, int col2, int row2,
                    std::vector<TRPNValue>& values) {
  if (!sheet) return;
  const int lastRow = std::min(row2, sheet->Rows.Count() - 1);
  for (int r = std::max(row1, 0); r <= lastRow; ++r) {
    const TExportRow* row = sheet->Rows.PeekItem(r);
    if (!row) continue;
    const int lastCol = std::min(col2, row->Cells.Count() - 1);
    for (int c = std::max(col1, 0); c <= lastCol; ++c)
      if (auto* number = dynamic_cast<TExportCellCustomNumber*>(row->Cells.PeekItem(c)))
        values.push_back(NumberCellValue(*number));
  }
}

}  // namespace workbook
