#pragma once
// DrawingML colours (a:srgbClr, a:schemeClr) with their transparency, as drawings and comment
// shapes hold them.
#include "workbook/core/color.h"
#include "workbook/core/color_sources.h"
#include "workbook/core/xml/xml_node.h"

namespace workbook {

// Adds a:srgbClr with the RGB hex value and an a:alpha child to parent.
void WriteDrawingMLColor(TColor color, int transparency, const TXmlNode& parent);

// The colour inside node (an a:solidFill or similar): a:srgbClr, or a:schemeClr named in the
// theme with a:lumOff or a:lumMod as tint; the colour element's a:alpha gives the transparency.
// No colour and transparency 0 when node holds neither or the theme lacks the name.
void ReadDrawingMLColor(const TXmlNode& node, const IThemeColors* theme, int& transparency,
                        TColor& color);

}  // namespace workbook
