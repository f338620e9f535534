// Formula cells of the numeric classes: calculation.
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

}  // namespace workbook
