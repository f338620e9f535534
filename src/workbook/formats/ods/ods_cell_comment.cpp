// The OpenDocument annotation of a cell comment.
#include "workbook/model/cell_comment.h"

namespace workbook {

namespace {

// One text:p per line; runs of spaces (and a leading one) as text:s elements.
void WriteParagraphs(TXmlWriter& writer, const std::u16string& text) {
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find_first_of(u"\r\n", start);
    if (end == std::u16string::npos) end = text.size();
    writer.StartElement("text:p");
    writer.StartElement("text:span");
    std::u16string piece;
    bool previousSpace = true;
    for (std::size_t i = start; i < end; ++i) {
      const char16_t c = text[i];
      if (c == u' ' && previousSpace) {
        if (!piece.empty()) writer.WriteString(piece);
        piece.clear();
        writer.StartElement("text:s");
        writer.EndElement();
      } else {
        piece += c;
      }
      previousSpace = c == u' ';
    }
    if (!piece.empty()) writer.WriteString(piece);
    writer.EndElement();
    writer.EndElement();
    if (end >= text.size()) break;
    start = end + ((text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n') ? 2 : 1);
  }
}

}  // namespace

void TExportCellComment::GetODSDrawingStyle(TExportDrawingStyle& style) const {
  style.Fill.FillType = TExportDrawingFill::ftSolid;
  style.Fill.Color = Color;
  style.Border.FillType = TExportDrawingFill::ftSolid;
  style.Border.Color = 0x555555;
  style.Border.Width = 1;
  style.Border.Dash = TExportDrawingBorder::dsDotted;
}

void TExportCellComment::WriteODS(TXmlWriter& writer, const TSheetPixelGrid& grid,
                                  const std::u16string& drawStyle,
                                  const std::u16string& textStyle) const {
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
  WriteParagraphs(writer, GetText());
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
