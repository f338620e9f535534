// Formula cells of the numeric classes: calculation and the BIFF8 FORMULA record.
#include "workbook/model/cell_number.h"
#include "workbook/model/formula/rpn_formula.h"

namespace workbook {

void TExportCellCustomNumber::Calculate() {
  // A value read from a file (or set) is the formula's result as it stands.
  if (HasValue || !HasFormula()) return;
  TRPNFormula* formula = GetRPNFormula();
  if (!formula) return;
  const TRPNValue result = formula->Evaluate();
  SetValue(result.Value);
  SetFormulaError(result.Error);
}

bool TExportCellCustomNumber::WriteXLSFormula(TStream& stream, int xfIndex) {
  const TRPNFormula* formula = GetRPNFormula();
  if (!formula || !formula->CanWriteXLS()) return false;
  const TRPNValue cached = FormulaError() != TRPNError::None
                               ? TRPNValue::Fail(FormulaError())
                               : TRPNValue{HasValue ? FileValue() : 0.0, TRPNError::None};
  formula->WriteXLS(stream, GetRowIndex(), GetColIndex(), xfIndex, cached);
  return true;
}

}  // namespace workbook
