// Operand tokens and what every token does by default: values, argument members and texts.
#include "workbook/model/formula/rpn_tokens.h"

#include "workbook/core/cell_refs.h"
#include "workbook/core/invariant_texts.h"
#include "workbook/model/formula/rpn_cell_values.h"

namespace workbook {

// --- defaults ---

namespace {

bool IsOperand(TRPNTokenKind kind) {
  return kind == TRPNTokenKind::Cell || kind == TRPNTokenKind::CellRange ||
         kind == TRPNTokenKind::NamedCellRange || kind == TRPNTokenKind::Number;
}

}  // namespace

void TRPNFormulaToken::Calculate(TRPNStack& stack, const TRPNContext&) const {
  if (IsOperand(Kind())) stack.Push(this);
}

TRPNValue TRPNFormulaToken::GetValue(const TRPNContext&) const { return TRPNValue(); }

void TRPNFormulaToken::CreateCalculateMember(std::vector<TRPNValue>&, const TRPNContext&) const {}

void TRPNFormulaToken::BuildFormulaText(TRPNTextStack& stack, const TRPNFormulaToken*) const {
  if (IsOperand(Kind())) stack.push_back(GetText());
}

// --- Cell ---

TRPNValue TRPNFormulaTokenCell::GetValue(const TRPNContext& context) const {
  TRPNValue value;
  RPNCellValue(context.WorkSheet, Column, Row, false, value);
  return value;
}

void TRPNFormulaTokenCell::CreateCalculateMember(std::vector<TRPNValue>& members,
                                                 const TRPNContext& context) const {
  TRPNValue value;
  if (RPNCellValue(context.WorkSheet, Column, Row, false, value)) members.push_back(value);
}

std::u16string TRPNFormulaTokenCell::GetText() const {
  return MakeCellRangeRefEx(Column, Row, 1, {ColAbsolute, RowAbsolute, false, false});
}

// --- CellRange ---

TRPNValue TRPNFormulaTokenCellRange::RangeValue(const TRPNRange& range,
                                                const TRPNContext& context) {
  TRPNValue value;
  if (range.ColCount == 1 && range.RowCount == 1)
    RPNCellValue(range.WorkSheet ? range.WorkSheet : context.WorkSheet, range.Col, range.Row, true,
                 value);
  return value;
}

void TRPNFormulaTokenCellRange::RangeMembers(const TRPNRange& range,
                                             std::vector<TRPNValue>& members,
                                             const TRPNContext& context) {
  RPNRangeValues(range.WorkSheet ? range.WorkSheet : context.WorkSheet, range.Col, range.Row,
                 range.LastCol(), range.LastRow(), members);
}

TRPNValue TRPNFormulaTokenCellRange::GetValue(const TRPNContext& context) const {
  return RangeValue(Range, context);
}

void TRPNFormulaTokenCellRange::CreateCalculateMember(std::vector<TRPNValue>& members,
                                                      const TRPNContext& context) const {
  RangeMembers(Range, members, context);
}

std::u16string TRPNFormulaTokenCellRange::GetText() const {
  return MakeCellRangeRefEx(Range.Col, Range.Row, 1, {Range.Col1Absolute, Range.Row1Absolute}, 1) +
         u":" +
         MakeCellRangeRefEx(Range.LastCol(), Range.LastRow(), 1,
                            {Range.Col2Absolute, Range.Row2Absolute}, 1);
}

// --- NamedCellRange ---

TRPNValue TRPNFormulaTokenNamedCellRange::GetValue(const TRPNContext& context) const {
  TRPNRange range;
  if (!context.Names || !context.Names->FindName(Name, range)) return TRPNValue();
  return RangeValue(range, context);
}

void TRPNFormulaTokenNamedCellRange::CreateCalculateMember(std::vector<TRPNValue>& members,
                                                           const TRPNContext& context) const {
  TRPNRange range;
  if (context.Names && context.Names->FindName(Name, range)) RangeMembers(range, members, context);
}

// --- Number ---

void TRPNFormulaTokenNumber::CreateCalculateMember(std::vector<TRPNValue>& members,
                                                   const TRPNContext& context) const {
  members.push_back(GetValue(context));
}

std::u16string TRPNFormulaTokenNumber::GetText() const { return ISOFloatToStr(Value); }

// --- RightParenthesis ---

void TRPNFormulaTokenRightParenthesis::BuildFormulaText(TRPNTextStack& stack,
                                                        const TRPNFormulaToken* next) const {
  if ((next && next->IsFunction()) || stack.empty()) return;
  stack.back() = u"(" + stack.back() + u")";
}

}  // namespace workbook
