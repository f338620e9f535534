#pragma once
// The SpreadsheetML elements of fonts and border sets, as styles.xml, rich-text runs (rPr) and
// dxfs hold them.
#include "workbook/core/xml/xml_node.h"
#include "workbook/model/cell_borders.h"
#include "workbook/model/font.h"

namespace workbook {

class IThemeColors;
class TExporterXLSX_Palette;

// The style bytes of a font element's b, i, strike, u and vertAlign children.
TExportFontStyle ReadXLSXFontStyle(TXmlNode font);
// A font, rFont or name element naming its family.
TExportFont ReadXLSXFont(TXmlNode font, const IThemeColors* theme,
                         const TExporterXLSX_Palette* palette);
TExportCellBorders ReadXLSXBorders(TXmlNode border, const IThemeColors* theme,
                                   const TExporterXLSX_Palette* palette);

}  // namespace workbook
