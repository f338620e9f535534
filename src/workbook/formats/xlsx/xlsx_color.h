#pragma once
// SpreadsheetML colour elements (color, fgColor, bgColor): rgb as ARGB hex, theme by position
// with its tint, indexed through the palette; auto and anything unknown give no colour.
#include "workbook/core/color.h"
#include "workbook/core/color_sources.h"
#include "workbook/core/xml/xml_node.h"
#include "workbook/formats/xlsx/xlsx_palette.h"

namespace workbook {

TColor ReadXLSXColor(TXmlNode node, const IThemeColors* theme, const IColorPalette* palette);

// The palette as the model's colour readers ask for it.
class TExporterXLSX_PaletteColors final : public IColorPalette {
 public:
  explicit TExporterXLSX_PaletteColors(const TExporterXLSX_Palette& palette) : palette_(palette) {}
  TColor GetColor(int index) const override { return palette_.GetColor(index); }

 private:
  const TExporterXLSX_Palette& palette_;
};

}  // namespace workbook
