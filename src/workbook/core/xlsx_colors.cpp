#include "workbook/core/xlsx_colors.h"

#include <limits>

#include "workbook/core/color_hls.h"
#include "workbook/core/invariant_texts.h"

namespace workbook {

namespace {

// An index attribute as a position; -1 when it is no number or no position.
int IndexAttr(const TXmlNode& node, std::string_view name) {
  const int64_t value = ISOStrToIntDef(node.Attr16(name), -1);
  return value >= 0 && value <= std::numeric_limits<int>::max() ? static_cast<int>(value) : -1;
}

}  // namespace

TColor ReadXLSXColor(const TXmlNode& colorNode, const IThemeColors* themeColors,
                     const IColorPalette* palette) {
  if (!colorNode) return clNone;
  if (colorNode.HasAttr("rgb")) return ARGBHexToColor(colorNode.Attr16("rgb"));
  if (colorNode.HasAttr("theme")) {
    const int index = IndexAttr(colorNode, "theme");
    if (themeColors == nullptr || index < 0 || index >= themeColors->GetCount()) return clNone;
    const TColor color = themeColors->GetColor(index);
    return ApplyTint(color, ISOStrToFloat(colorNode.Attr16("tint")));
  }
  if (colorNode.HasAttr("indexed")) {
    const int index = IndexAttr(colorNode, "indexed");
    return palette != nullptr && index >= 0 ? palette->GetColor(index) : clNone;
  }
  return clNone;
}

TColor ReadXLSXPatternFill(const TXmlNode& patternFillNode, const IThemeColors* themeColors,
                           const IColorPalette* palette, bool useBgColor) {
  if (!patternFillNode) return clNone;
  const std::string_view type = patternFillNode.Attr("patternType");
  if (type == "gray125") return clGray125Fill;
  if (!type.empty() && type != "solid") return clNone;
  return ReadXLSXColor(patternFillNode.Child(useBgColor ? "bgColor" : "fgColor"), themeColors,
                       palette);
}

void WriteXLSXPatternFill(TColor color, const TXmlNode& fillNode, bool useBgColor) {
  const TXmlNode pattern = fillNode.AddChild("patternFill");
  if (color == clNone) {
    pattern.SetAttr("patternType", std::string_view("none"));
  } else if (color == clGray125Fill) {
    pattern.SetAttr("patternType", std::string_view("gray125"));
  } else {
    pattern.SetAttr("patternType", std::string_view("solid"));
    if (useBgColor) {
      pattern.AddChild("bgColor").SetAttr("rgb", ColorToARGBHex(color, true));
    } else {
      pattern.AddChild("fgColor").SetAttr("rgb", ColorToARGBHex(color, true));
      pattern.AddChild("bgColor").SetAttr("indexed", std::string_view("64"));
    }
  }
}

}  // namespace workbook
