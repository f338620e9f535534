#pragma once
// A Boolean cell, or (read from XLS) a cell holding a spreadsheet error value.
#include "workbook/model/cell_number.h"

namespace workbook {

class TExportCellBoolean : public TExportCellCustomNumber {
 public:
  TCellClass CellClass() const override { return TCellClass::Boolean; }

  bool GetBoolean() const { return Value != 0; }
  void SetBoolean(bool flag) { SetValue(flag ? 1.0 : 0.0); }
  // The value is an error code such as #N/A, not a truth value.
  bool IsErrorValue = false;
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
