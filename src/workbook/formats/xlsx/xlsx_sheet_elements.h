#pragma once
// The elements of a worksheet part around its cells (sheet properties, view, columns, merges,
// links, page setup, protection, header and footer, conditional formats), each handed as a small
// tree to the model class that reads it.
#include <string>
#include <unordered_map>

#include "workbook/core/color_sources.h"
#include "workbook/core/xml/xml_node.h"

namespace workbook {

class TExportWorkSheet;
class TExporterXLSX_StyleSheet;

// The sheet's external hyperlinks: relationship id to target.
using TXLSXHyperlinkTargets = std::unordered_map<std::string, std::u16string>;

// Most cell applications of conditional formats per sheet: a format's range may cover a whole
// sheet, and every cell it reaches carries its own copy of the rules.
inline constexpr long long kMaxCondFormatCellsPerSheet = 1 << 20;
// Conditional-format ranges of more cells reach only the cells within the sheet's content.
inline constexpr long long kLargeCondFormatArea = 1 << 16;

class TXLSXSheetElements {
 public:
  // charWidth converts widths in characters to pixels (the default font's digit width).
  TXLSXSheetElements(TExportWorkSheet& sheet, TExporterXLSX_StyleSheet& styleSheet,
                     double charWidth, const IThemeColors* theme, const IColorPalette* palette,
                     TXLSXHyperlinkTargets hyperlinks);

  // Whether an element of that local name, a child of worksheet, is read.
  static bool IsRead(std::string_view localName);
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
  long long condFormatCells_ = 0;
  // The sheet's used extent, found once when a conditional format needs it (-1: not yet).
  int usedRows_ = -1;
  int usedCols_ = -1;
};

// The mergeCell children of a mergeCells element; a ref that is not a range is skipped.
void ReadXLSXMergeCells(TExportWorkSheet& sheet, TXmlNode mergeCellsNode);

}  // namespace workbook
