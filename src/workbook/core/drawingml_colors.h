#pragma once
// DrawingML colours (a:srgbClr, a:schemeClr) with their transparency, as drawings and comment
// shapes hold them.
#include "workbook/core/color.h"
#include "workbook/core/color_sources.h"
#include "workbook/core/xml/xml_node.h"

namespace workbook {

// Adds a:srgbClr with the RGB hex value and an a:alpha child to Parent.
void WriteDrawingMLColor(TColor Color, int Transparency, const TXmlNode& Parent);

// The colour inside Node (an a:solidFill or similar): a:srgbClr, or a:schemeClr named in the
// theme with a:lumOff or a:lumMod as tint; the colour element's a:alpha gives the transparency.
// No colour and transparency 0 when Node holds neither or the theme lacks the name.
void ReadDrawingMLColor(const TXmlNode& Node, const IThemeColors* Theme, int& Transparency,
                        TColor& Color);

}  // namespace workbook
