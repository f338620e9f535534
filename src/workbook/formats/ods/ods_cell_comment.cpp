// The OpenDocument annotation of a cell comment.
#include "workbook/formats/ods/ods_comment_drawing_style.h"
#include "workbook/formats/ods/ods_lengths.h"
#include "workbook/model/cell.h"
#include "workbook/model/cell_comment.h"
#include "workbook/model/rich_text.h"

namespace workbook {

void TExportCellComment::GetODSDrawingStyle(TExportDrawingStyle& style) const {
  style.Fill.FillType = TExportDrawingFill::ftSolid;
  style.Fill.Color = Color;
  style.Border.FillType = TExportDrawingFill::ftSolid;
  style.Border.Color = 0x555555;
  style.Border.Width = 1;
  style.Border.Dash = TExportDrawingBorder::dsDotted;
}

void TExportCellComment::WriteODS(TXmlWriter& writer, const TSheetPixelGrid& grid,
                                  const std::u16string& drawStyle, const std::u16string& textStyle,
                                  ICellWriteContext& context) const {
  if (!HasText()) return;
  int x = 0, y = 0;
  GetBoxPosition(grid, x, y);
  writer.StartElement("office:annotation");
  writer.WriteAttribute("draw:style-name", drawStyle);
  writer.WriteAttribute("draw:text-style-name", textStyle);
  writer.WriteAttribute("svg:x", PixelsToCmText(x));
  writer.WriteAttribute("svg:y", PixelsToCmText(y));
  writer.WriteAttribute("svg:width", PixelsToCmText(Bounds.GetWidth()));
  writer.WriteAttribute("svg:height", PixelsToCmText(Bounds.GetHeight()));
  TExportCell::WriteODSText(writer, GetText(), std::u16string(), richText_.get(), context);
  writer.EndElement();
}

void TExportCommentDrawingStyle::WriteODS(const TXmlNode& node) const {
  TExportDrawingStyle::WriteODS(node);
  node.SetAttr("draw:auto-grow-height", "false");
  node.SetAttr("draw:auto-grow-width", "false");
}

std::unique_ptr<TOwnedListObject> TExportCommentDrawingStyle::NewInstance() const {
  return std::make_unique<TExportCommentDrawingStyle>();
}

}  // namespace workbook
