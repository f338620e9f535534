#pragma once
// A cell's note and the look of its pop-up box. XLSX keeps notes apart from the cells (a comments
// part and a VML drawing per sheet), ODS inside them, so the writers gather them differently.
#include <cstdint>
#include <memory>
#include <string>

#include "workbook/core/class_rect.h"
#include "workbook/core/xml/xml_node.h"
#include "workbook/core/xml/xml_writer.h"
#include "workbook/model/drawing_style.h"
#include "workbook/model/font.h"
#include "workbook/model/sheet_pixel_grid.h"

namespace workbook {

class ICellWriteContext;
class TExportCell;
class TExportWorkSheet;
class TStringRichTextTags;

class TExportCellComment : public TPersistent {
 public:
  explicit TExportCellComment(TExportCell* cell = nullptr);
  ~TExportCellComment() override;
  TExportCellComment(const TExportCellComment&) = delete;
  TExportCellComment& operator=(const TExportCellComment&) = delete;

  TClassRect Bounds{20, 20, 170, 170};  // offset from the anchor, and the box size
  TColor Color = 0xC0FFFF;
  std::uint8_t Alignment = 1;   // cell-style horizontal alignment
  std::uint8_t VAlignment = 1;  // cell-style vertical alignment
  TExportFont Font;

  TExportCell* Cell() const { return cell_; }
  std::u16string GetText() const;
  void SetText(const std::u16string& text);
  bool HasText() const { return !text_.empty(); }
  // The formatting runs of the text, made on first use; null while the text has none.
  TStringRichTextTags& GetRichText();
  TStringRichTextTags* RichTextIfAny() const { return richText_.get(); }

  // The box's top-left corner in pixels: right of the cell's column, at the top of its row.
  void GetBoxPosition(const TSheetPixelGrid& grid, int& x, int& y) const;
  // The frame the ODS writer registers as the annotation's graphic style.
  void GetODSDrawingStyle(TExportDrawingStyle& style) const;
  // office:annotation inside the cell, only with a text; the two names are the registered
  // graphic ("gr") and paragraph ("P") styles, context names the text styles of rich runs.
  void WriteODS(TXmlWriter& writer, const TSheetPixelGrid& grid, const std::u16string& drawStyle,
                const std::u16string& textStyle, ICellWriteContext& context) const;
  // The text and runs of a comments part's comment element (its text child), the old ones
  // dropped; run colours resolve through theme and palette (either may be null).
  void ReadXLSX(const TXmlNode& comment, const IThemeColors* theme = nullptr,
                const IColorPalette* palette = nullptr);
  // Box size, colour and alignments from a VML v:shape.
  void ReadXLSXVml(const TXmlNode& shape);

  void AssignTo(TPersistent& dest) const override;

 private:
  TExportCell* cell_;
  std::string text_;  // UTF-8: comments are mostly plain text
  std::unique_ptr<TStringRichTextTags> richText_;
};

}  // namespace workbook
