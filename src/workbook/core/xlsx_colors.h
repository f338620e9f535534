#pragma once
// SpreadsheetML colour elements (color, fgColor, tabColor, ...) and pattern fills.
#include "workbook/core/color.h"
#include "workbook/core/color_sources.h"
#include "workbook/core/xml/xml_node.h"

namespace workbook {

// "rgb" (ARGB hex), else "theme" (a position in the theme, with "tint"), else "indexed" (through
// the palette); no colour when none of them gives one, when the node is empty, or when the theme
// or palette index lies outside what was loaded.
TColor ReadXLSXColor(const TXmlNode& colorNode, const IThemeColors* themeColors,
                     const IColorPalette* palette);

// A patternFill element: "none" is no colour, "gray125" clGray125Fill, "solid" (or no type) the
// colour of fgColor (of bgColor when useBgColor); other patterns read as no colour.
TColor ReadXLSXPatternFill(const TXmlNode& patternFillNode, const IThemeColors* themeColors,
                           const IColorPalette* palette, bool useBgColor = false);
// Adds the patternFill element for color to fillNode: fgColor rgb with bgColor indexed 64, or with
// useBgColor (differential formats) only bgColor rgb.
void WriteXLSXPatternFill(TColor color, const TXmlNode& fillNode, bool useBgColor = false);

}  // namespace workbook
