#include "workbook/model/cell_boolean.h"

#include "workbook/core/invariant_texts.h"
#include "workbook/model/local_number_text.h"

namespace workbook {

namespace {

struct TErrorValue {
  std::uint8_t Code;
  const char16_t* Text;
};
constexpr TErrorValue kErrorValues[] = {
    {0x00, u"#NULL!"}, {0x07, u"#DIV/0!"}, {0x0F, u"#VALUE!"}, {0x17, u"#REF!"},
    {0x1D, u"#NAME?"}, {0x24, u"#NUM!"},   {0x2A, u"#N/A"},
};
constexpr std::uint8_t kNotAvailable = 0x2A;

}  // namespace

std::u16string TExportCellBoolean::ErrorText(std::uint8_t code) {
  for (const TErrorValue& error : kErrorValues)
    if (error.Code == code) return error.Text;
  return u"#N/A";
}

std::uint8_t TExportCellBoolean::ErrorCodeOf(std::u16string_view text) {
  for (const TErrorValue& error : kErrorValues)
    if (text == error.Text) return error.Code;
  return kNotAvailable;
}

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
  if (IsErrorValue) return ErrorText(ErrorCode());
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
