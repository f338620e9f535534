#include "workbook/model/formula/rpn_formula.h"

#include "workbook/core/formula_text.h"
#include "workbook/model/cell.h"
#include "workbook/model/formula/rpn_cell_values.h"
#include "workbook/model/workbook.h"

namespace workbook {

namespace {

thread_local int evaluationDepth = 0;

}  // namespace

TRPNFormula::TRPNFormula(TExportCell* owner) : owner_(owner) {}

TRPNFormula::~TRPNFormula() = default;

const IRPNNameSource* TRPNFormula::Names() const {
  if (names_) return names_;
  TWorkbook* workbook = owner_ ? owner_->GetWorkbook() : nullptr;
  return workbook ? workbook->FormulaNames : nullptr;
}

TRPNContext TRPNFormula::Context() const {
  TRPNContext context;
  context.Cell = owner_;
  context.WorkSheet = owner_ && owner_->GetWorkSheet() ? owner_->GetWorkSheet() : sheet_;
  context.Names = Names();
  return context;
}

int TRPNFormula::EvaluationDepth() { return evaluationDepth; }

TRPNValue TRPNFormula::Evaluate() {
  if (evaluating_ || evaluationDepth >= kRPNMaxCalculationDepth)
    return TRPNValue::Fail(TRPNError::Ref);
  evaluating_ = true;
  ++evaluationDepth;
  struct Leave {
    bool& flag;
    ~Leave() {
      flag = false;
      --evaluationDepth;
    }
  } leave{evaluating_};
  const TRPNContext context = Context();
  TRPNStack stack;
  for (const TRPNTokenPtr& token : tokens_) token->Calculate(stack, context);
  if (stack.Count() != 1) return TRPNValue::Fail(TRPNError::Value);
  const TRPNStackItem& result = stack.Peek(0);
  return result.Token ? result.Token->GetValue(context) : result.Value;
}

double TRPNFormula::Calculate() {
  const TRPNValue value = Evaluate();
  return value.Failed() ? 0.0 : value.Value;
}

void TRPNFormula::GetFormulaText(std::u16string& text) const {
  TRPNTextStack stack;
  for (std::size_t i = 0; i < tokens_.size(); ++i)
    tokens_[i]->BuildFormulaText(stack, i + 1 < tokens_.size() ? tokens_[i + 1].get() : nullptr);
  text = stack.size() == 1 ? stack.front() : std::u16string();
}

std::u16string TRPNFormula::GetFormulaText() const {
  std::u16string text;
  GetFormulaText(text);
  return text;
}

std::u16string TRPNFormula::GetXLSXText() const {
  const std::u16string text = GetFormulaText();
  return text.empty() ? text : FormulaToXLSX(text);
}

std::u16string TRPNFormula::GetODSText() const {
  const std::u16string text = GetFormulaText();
  return text.empty() ? text : FormulaToODS(u"=" + text, true);
}

}  // namespace workbook
