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

TColor ReadXLSXColor(const TXmlNode& ColorNode, const IThemeColors* ThemeColors,
                     const IColorPalette* Palette) {
  if (!ColorNode) return clNone;
  if (ColorNode.HasAttr("rgb")) return ARGBHexToColor(ColorNode.Attr16("rgb"));
  if (ColorNode.HasAttr("theme")) {
    const int index = IndexAttr(ColorNode, "theme");
    if (ThemeColors == nullptr || index < 0 || index >= ThemeColors->GetCount()) return clNone;
    const TColor color = ThemeColors->GetColor(index);
    return ApplyTint(color, ISOStrToFloat(ColorNode.Attr16("tint")));
  }
  if (ColorNode.HasAttr("indexed")) {
    const int index = IndexAttr(ColorNode, "indexed");
    return Palette != nullptr && index >= 0 ? Palette->GetColor(index) : clNone;
  }
  return clNone;
}

TColor ReadXLSXPatternFill(const TXmlNode& PatternFillNode, const IThemeColors* ThemeColors,
                           const IColorPalette* Palette, bool UseBgColor) {
  if (!PatternFillNode) return clNone;
  const std::string_view type = PatternFillNode.Attr("patternType");
  if (type == "gray125") return clGray125Fill;
  if (!type.empty() && type != "solid") return clNone;
  return ReadXLSXColor(PatternFillNode.Child(UseBgColor ? "bgColor" : "fgColor"), ThemeColors,
                       Palette);
}

void WriteXLSXPatternFill(TColor Color, const TXmlNode& FillNode, bool UseBgColor) {
  const TXmlNode pattern = FillNode.AddChild("patternFill");
  if (Color == clNone) {
    pattern.SetAttr("patternType", std::string_view("none"));
  } else if (Color == clGray125Fill) {
    pattern.SetAttr("patternType", std::string_view("gray125"));
  } else {
    pattern.SetAttr("patternType", std::string_view("solid"));
    if (UseBgColor) {
      pattern.AddChild("bgColor").SetAttr("rgb", ColorToARGBHex(Color, true));
    } else {
      pattern.AddChild("fgColor").SetAttr("rgb", ColorToARGBHex(Color, true));
      pattern.AddChild("bgColor").SetAttr("indexed", std::string_view("64"));
    }
  }
}

}  // namespace workbook
