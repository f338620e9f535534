#include "workbook/model/cell_boolean.h"

#include "workbook/core/invariant_texts.h"
#include "workbook/model/local_number_text.h"

namespace workbook {

std::u16string TExportCellBoolean::GetValueText() const {
  if (IsErrorValue || FormulaError() != TRPNError::None) return std::u16string();
  return ISOBoolToStr(GetBoolean());
}

void TExportCellBoolean::SetValueText(const std::u16string& text) {
  SetBoolean(ISOStrToBool(text));
  IsErrorValue = false;
}

std::u16string TExportCellBoolean::GetDisplayText() {
  if (FormulaError() != TRPNError::None) return RPNErrorText(FormulaError());
  if (IsErrorValue) return std::u16string();
  return GetBoolean() ? u"True" : u"False";
}

void TExportCellBoolean::SetDisplayText(const std::u16string& text) {
  std::u16string word = LowerAscii(text);
  double number;
  if (word == u"true")
    SetBoolean(true);
  else if (TryStrToFloatLocal(text, number))
    SetBoolean(number != 0);
  else
    SetBoolean(false);
  IsErrorValue = false;
}

void TExportCellBoolean::AssignTo(TPersistent& dest) const {
  if (auto* flag = dynamic_cast<TExportCellBoolean*>(&dest)) flag->IsErrorValue = IsErrorValue;
  TExportCellCustomNumber::AssignTo(dest);
}

}  // namespace workbook
