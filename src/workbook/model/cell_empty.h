#pragma once
// A cell without a value: padding in front of used columns, or a cell that carries only a style,
// spans or attachments.
#include "workbook/model/cell.h"

namespace workbook {

class TExportCellEmpty : public TExportCell {
 public:
  TCellClass CellClass() const override { return TCellClass::Empty; }
  std::u16string GetValueText() const override { return std::u16string(); }
  // Replaces this cell by a string cell holding text: do not use this cell afterwards.
  void SetValueText(const std::u16string& text) override;
  std::u16string GetDisplayText() override { return std::u16string(); }
  void SetDisplayText(const std::u16string&) override {}
  void WriteXLS(TStream& stream, int xfIndex, ICellWriteContext& context);
  void WriteXLSX(TXLSXSheetDataWriter& writer, const std::u16string& ref, int styleIndex,
                 ICellWriteContext& context);
  void WriteODS(TXmlWriter& writer, const std::u16string& styleName, ICellWriteContext& context);
};

}  // namespace workbook
