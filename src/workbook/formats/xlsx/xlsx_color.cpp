#include "workbook/formats/xlsx/xlsx_color.h"

#include <cstdint>

#include "workbook/core/color_hls.h"
#include "workbook/core/invariant_texts.h"

namespace workbook {

TColor ReadXLSXColor(TXmlNode node, const IThemeColors* theme, const IColorPalette* palette) {
  if (!node) return clNone;
  if (auto rgb = node.FindAttr("rgb")) return ARGBHexToColor(node.Attr16("rgb"));
  if (node.FindAttr("theme")) {
    const std::int64_t index = ISOStrToIntDef(node.Attr16("theme"), -1);
    if (theme == nullptr || index < 0 || index >= theme->GetCount()) return clNone;
    TColor color = theme->GetColor(static_cast<int>(index));
    const double tint = ISOStrToFloatDef(node.Attr16("tint"), 0.0);
    if (color != clNone && tint != 0.0) color = ApplyTint(color, tint);
    return color;
  }
  if (node.FindAttr("indexed")) {
    const std::int64_t index = ISOStrToIntDef(node.Attr16("indexed"), -1);
    if (palette == nullptr || index < 0 || index > INT32_MAX) return clNone;
    return palette->GetColor(static_cast<int>(index));
  }
  return clNone;
}

}  // namespace workbook
