// The OpenDocument frame of a cell drawing.
#include "workbook/core/sheet_refs.h"
#include "workbook/model/cell.h"
#include "workbook/model/drawing.h"

namespace workbook {

void TExportCellDrawing::WriteODS(TXmlWriter& writer, const TSheetPixelGrid& grid,
                                  const std::u16string& sheetName,
                                  const std::u16string& styleName) const {
  if (!drawing_) return;
  int endCol = 0, endRow = 0, endX = 0, endY = 0;
  GetEndCell(grid, endCol, endRow, endX, endY);
  writer.StartElement("draw:frame");
  writer.WriteAttribute("draw:style-name", styleName);
  writer.WriteAttribute("svg:x", PixelsToCmText(Bounds.Left));
  writer.WriteAttribute("svg:y", PixelsToCmText(Bounds.Top));
  writer.WriteAttribute("svg:width", PixelsToCmText(Bounds.GetWidth()));
  writer.WriteAttribute("svg:height", PixelsToPtText(Bounds.GetHeight()));
  writer.WriteAttribute("table:end-cell-address", MakeODSRangeRef(sheetName, endCol, endRow));
  writer.WriteAttribute("table:end-x", PixelsToCmText(endX));
  writer.WriteAttribute("table:end-y", PixelsToPtText(endY));
  drawing_->WriteODS(writer, GetDrawingIndex());
  writer.EndElement();
}

}  // namespace workbook
