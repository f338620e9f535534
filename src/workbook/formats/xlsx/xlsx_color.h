#pragma once
// SpreadsheetML colour elements (color, fgColor, bgColor): rgb as ARGB hex, theme by position
// with its tint, indexed through the palette; auto and anything unknown give no colour.
#include "workbook/core/color.h"
#include "workbook/core/xml/xml_node.h"

namespace workbook {

class IThemeColors;
class TExporterXLSX_Palette;

TColor ReadXLSXColor(TXmlNode node, const IThemeColors* theme,
                     const TExporterXLSX_Palette* palette);

}  // namespace workbook
