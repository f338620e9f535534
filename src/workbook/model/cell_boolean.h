#pragma once
// A Boolean cell, or (read from XLS) a cell holding a spreadsheet error value.
#include <cstdint>
#include <string_view>

#include "workbook/model/cell_number.h"

namespace workbook {

class TExportCellBoolean : public TExportCellCustomNumber {
 public:
  TCellClass CellClass() const override { return TCellClass::Boolean; }

  bool GetBoolean() const { return Value != 0; }
  void SetBoolean(bool flag) { SetValue(flag ? 1.0 : 0.0); }
  // The value is an error code such as #N/A, not a truth value.
  using TExportCell::IsErrorValue;
  // An error value keeps which error it is in Value, by its BIFF8 code (0x2A #N/A, 0x07 #DIV/0!
  // ...).
  void SetErrorValue(std::uint8_t code) {
    SetValue(code);
    IsErrorValue = true;
  }
  // A value that is no code (set by hand with IsErrorValue) reads as #N/A's.
  std::uint8_t ErrorCode() const {
    return Value >= 0 && Value < 256 ? static_cast<std::uint8_t>(Value) : 0x2A;
  }
  // "#NULL!", "#DIV/0!", "#VALUE!", "#REF!", "#NAME?", "#NUM!", "#N/A" for their codes; an unknown
  // code reads as #N/A.
  static std::u16string ErrorText(std::uint8_t code);
  // The code of an error's text; #N/A's for a text that is none.
  static std::uint8_t ErrorCodeOf(std::u16string_view text);
  // An error value read from a file is the formula's result as it stands.
  void Calculate() override {
    if (!IsErrorValue) TExportCellCustomNumber::Calculate();
  }

  // "1" or "0"; empty for an error value, which is no amount and no truth value.
  std::u16string GetValueText() const override;
  void SetValueText(const std::u16string& text) override;
  std::u16string GetDisplayText() override;
  void SetDisplayText(const std::u16string& text) override;
  void AssignTo(TPersistent& dest) const override;
  void WriteXLS(TStream& stream, int xfIndex, ICellWriteContext& context);
  void WriteXLSX(TXLSXSheetDataWriter& writer, const std::u16string& ref, int styleIndex,
                 ICellWriteContext& context);
  void WriteODS(TXmlWriter& writer, const std::u16string& styleName, ICellWriteContext& context);
};

}  // namespace workbook
