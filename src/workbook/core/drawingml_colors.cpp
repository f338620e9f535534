#include "workbook/core/drawingml_colors.h"

#include <algorithm>
#include <string>

#include "workbook/core/color_hls.h"
#include "workbook/core/drawingml_nodes.h"
#include "workbook/core/invariant_texts.h"

namespace workbook {

void WriteDrawingMLColor(TColor color, int transparency, const TXmlNode& parent) {
  const TXmlNode srgb = parent.AddChild("a:srgbClr");
  srgb.SetAttr("val", ColorToARGBHex(color, false));
  srgb.AddChild("a:alpha").SetAttr("val", std::to_string(TransparencyToAlpha(transparency)));
}

void ReadDrawingMLColor(const TXmlNode& node, const IThemeColors* theme, int& transparency,
                        TColor& color) {
  transparency = 0;
  color = clNone;
  if (!node) return;
  TXmlNode colorNode = DrawingMLPath(node, "a:srgbClr");
  if (colorNode) {
    color = ARGBHexToColor(colorNode.Attr16("val"));
  } else if ((colorNode = DrawingMLPath(node, "a:schemeClr"))) {
    if (theme == nullptr || !theme->FindByName(colorNode.Attr16("val"), color)) {
      color = clNone;
    } else {
      // "Lighter 40%" is lumMod 60000 with lumOff 40000, "darker 25%" lumMod 75000 alone.
      double tint = ISOStrToFloat(DrawingMLPath(colorNode, "a:lumOff").Attr16("val")) / 100000;
      if (tint == 0) {
        const TXmlNode lumMod = DrawingMLPath(colorNode, "a:lumMod");
        if (lumMod) tint = ISOStrToFloat(lumMod.Attr16("val")) / 100000 - 1;
      }
      color = ApplyTint(color, tint);
    }
  } else {
    return;
  }
  if (const TXmlNode alpha = DrawingMLPath(colorNode, "a:alpha"))
    transparency = AlphaToTransparency(static_cast<int>(
        std::clamp<int64_t>(ISOStrToIntDef(alpha.Attr16("val"), 100000), 0, 100000)));
}

}  // namespace workbook
