#pragma once
// What a cell needs from the format writer that writes it: the writer keeps the shared-string
// table, the sheet's hyperlink list and the calculation chain; the cell only reports to them.
#include <cstdint>
#include <string>
#include <string_view>

#include "workbook/model/packed_text.h"

namespace workbook {

class TExportCell;
class TExportCellComment;
class TExportCellDrawing;
class TExportCellString;
class TExportConditionalFormatting;
class TExportFont;
class TXmlWriter;

class ICellWriteContext {
 public:
  virtual ~ICellWriteContext() = default;
  // The index of the cell's text (with its rich-text runs) in the shared-string table.
  virtual std::uint32_t SharedStringIndex(const TExportCellString& cell) = 0;
  // XLSX: a hyperlink of the cell range ref to target, for the sheet's hyperlinks element.
  virtual void AddHyperlink(const std::u16string& ref, const std::u16string& target) {
    (void)ref;
    (void)target;
  }
  // XLSX: a formula cell for the calculation chain.
  virtual void AddCalcChainItem(const std::u16string& ref) { (void)ref; }
  // XLSX: the cell's rules, each of its drawings and its comment (one with a text), for the
  // sheet's conditionalFormatting elements, drawing part and comment parts.
  virtual void AddConditionalFormatting(TExportConditionalFormatting& formatting) {
    (void)formatting;
  }
  virtual void AddDrawing(TExportCellDrawing& drawing) { (void)drawing; }
  virtual void AddComment(TExportCellComment& comment) { (void)comment; }
  // ODS: the drawing frames and the comment annotation of cell, inside its open table-cell
  // (the writer holds the column widths and the style registries they need).
  virtual void WriteODSAttachments(TXmlWriter& writer, TExportCell& cell) {
    (void)writer;
    (void)cell;
  }
  // ODS: the text style ("T" name) of a rich-text run in font.
  virtual std::u16string ODSTextStyleName(const TExportFont& font) {
    (void)font;
    return std::u16string();
  }

  // The characters of a cell's text, widened into a room the context keeps where the text holds
  // one byte a character, so that writing a sheet allocates nothing per text: valid until the
  // next call.
  std::u16string_view CellText(const TPackedText& text) { return text.View(cellText_); }

 private:
  std::u16string cellText_;
};

}  // namespace workbook
