#include "workbook/core/drawingml_colors.h"

#include <algorithm>
#include <string>

#include "workbook/core/color_hls.h"
#include "workbook/core/drawingml_nodes.h"
#include "workbook/core/invariant_texts.h"

namespace workbook {

void WriteDrawingMLColor(TColor Color, int Transparency, const TXmlNode& Parent) {
  const TXmlNode color = Parent.AddChild("a:srgbClr");
  color.SetAttr("val", ColorToARGBHex(Color, false));
  color.AddChild("a:alpha").SetAttr("val", std::to_string(TransparencyToAlpha(Transparency)));
}

void ReadDrawingMLColor(const TXmlNode& Node, const IThemeColors* Theme, int& Transparency,
                        TColor& Color) {
  Transparency = 0;
  Color = clNone;
  if (!Node) return;
  TXmlNode colorNode = DrawingMLPath(Node, "a:srgbClr");
  if (colorNode) {
    Color = ARGBHexToColor(colorNode.Attr16("val"));
  } else if ((colorNode = DrawingMLPath(Node, "a:schemeClr"))) {
    if (Theme == nullptr || !Theme->FindByName(colorNode.Attr16("val"), Color)) {
      Color = clNone;
    } else {
      // "Lighter 40%" is lumMod 60000 with lumOff 40000, "darker 25%" lumMod 75000 alone.
      double tint = ISOStrToFloat(DrawingMLPath(colorNode, "a:lumOff").Attr16("val")) / 100000;
      if (tint == 0) {
        const TXmlNode lumMod = DrawingMLPath(colorNode, "a:lumMod");
        if (lumMod) tint = ISOStrToFloat(lumMod.Attr16("val")) / 100000 - 1;
      }
      Color = ApplyTint(Color, tint);
    }
  } else {
    return;
  }
  if (const TXmlNode alpha = DrawingMLPath(colorNode, "a:alpha"))
    Transparency = AlphaToTransparency(static_cast<int>(
        std::clamp<int64_t>(ISOStrToIntDef(alpha.Attr16("val"), 100000), 0, 100000)));
}

}  // namespace workbook
