#pragma once
// The elements of a worksheet part around its cells (sheet properties, view, columns, merges,
// links, page setup, protection, header and footer, conditional formats), each handed as a small
// tree to the model class that reads it.
#include <string>
#include <unordered_map>

#include "workbook/core/color_sources.h"
#include "workbook/core/xml/xml_node.h"
#include "workbook/formats/cond_format_spread.h"

namespace workbook {

class TExportWorkSheet;
class TExporterXLSX_StyleSheet;

// The sheet's external hyperlinks: relationship id to target.
using TXLSXHyperlinkTargets = std::unordered_map<std::string, std::u16string>;

class TXLSXSheetElements {
 public:
  // charWidth converts widths in characters to pixels (the default font's digit width).
  TXLSXSheetElements(TExportWorkSheet& sheet, TExporterXLSX_StyleSheet& styleSheet,
                     double charWidth, const IThemeColors* theme, const IColorPalette* palette,
                     TXLSXHyperlinkTargets hyperlinks);

  // Whether an element of that local name, a child of worksheet, is read.
  static bool IsRead(std::string_view localName);
  // Whether it is a list whose items are read alike, each on its own: such an element may be
  // handed over once per item, holding that item alone, and once more when it ends.
  static bool IsList(std::string_view localName);
  // Reads one child of worksheet (anything else is passed over).
  void Read(TXmlNode element);

 private:
  void ReadSheetFormat(TXmlNode element);
  void ReadHyperlinks(TXmlNode element);
  void ReadHeaderFooter(TXmlNode element);
  void ReadConditionalFormatting(TXmlNode element);

  TExportWorkSheet& sheet_;
  TExporterXLSX_StyleSheet& styleSheet_;
  double charWidth_;
  const IThemeColors* theme_;
  const IColorPalette* palette_;
  TXLSXHyperlinkTargets hyperlinks_;
  TCondFormatSpread condFormats_;
};

// The mergeCell children of a mergeCells element; a ref that is not a range is skipped.
void ReadXLSXMergeCells(TExportWorkSheet& sheet, TXmlNode mergeCellsNode);

}  // namespace workbook
