// DrawingML shape properties (fill, line, outer shadow) of a drawing frame.
#include <cmath>
#include <string>

#include "workbook/core/drawingml_colors.h"
#include "workbook/core/drawingml_nodes.h"
#include "workbook/core/invariant_texts.h"
#include "workbook/model/drawing_style.h"

namespace workbook {

namespace {

void WriteSolidFill(const TCustomExportDrawingFill& fill, const TXmlNode& parent) {
  WriteDrawingMLColor(fill.Color, fill.Transparency, parent.AddChild("a:solidFill"));
}

std::string Int(long long value) { return std::to_string(value); }

// A file's EMU (or other) count divided and rounded; fallback when it is no number or would not
// fit an int.
int Scaled(std::string_view text, double divisor, int fallback) {
  double value = 0;
  const std::u16string wide(text.begin(), text.end());
  if (!ISOTryStrToFloat(wide, value)) return fallback;
  value = std::round(value / divisor);
  if (!(value >= -1e9 && value <= 1e9)) return fallback;
  return static_cast<int>(value);
}

void ReadColor(const TXmlNode& node, const IThemeColors* theme, TCustomExportDrawingFill& fill) {
  int transparency = 0;
  TColor color = clNone;
  ReadDrawingMLColor(node, theme, transparency, color);
  fill.Color = color;
  fill.Transparency = static_cast<std::uint8_t>(transparency);
}

}  // namespace

void TExportDrawingStyle::WriteXLSX(const TXmlNode& spPr) const {
  if (Fill.FillType == TExportDrawingFill::ftNone)
    spPr.AddChild("a:noFill");
  else if (Fill.FillType == TExportDrawingFill::ftSolid)
    WriteSolidFill(Fill, spPr);

  const TXmlNode line = spPr.AddChild("a:ln");
  if (Border.FillType == TExportDrawingFill::ftNone) {
    line.AddChild("a:noFill");
  } else {
    if (Border.Width >= 0) line.SetAttr("w", Int(static_cast<long long>(Border.Width) * 8800));
    if (Border.FillType == TExportDrawingFill::ftSolid) WriteSolidFill(Border, line);
    if (Border.Dash != TExportDrawingBorder::dsSolid)
      line.AddChild("a:prstDash")
          .SetAttr("val", Border.Dash == TExportDrawingBorder::dsDotted ? "sysDot" : "dash");
  }

  if (Shadow.Visible()) {
    const TXmlNode shadow = spPr.AddChild("a:effectLst").AddChild("a:outerShdw");
    shadow.SetAttr("blurRad", Int(static_cast<long long>(Shadow.Blur) * 12700));
    shadow.SetAttr("dist", Int(static_cast<long long>(Shadow.Distance) * 12700));
    shadow.SetAttr("dir", "2700000");
    WriteDrawingMLColor(Shadow.Color, Shadow.Transparency, shadow);
  }
}

void TExportDrawingStyle::ReadXLSX(const TXmlNode& spPr, const IThemeColors* theme) {
  if (const TXmlNode solid = DrawingMLPath(spPr, "a:solidFill")) {
    Fill.FillType = TExportDrawingFill::ftSolid;
    ReadColor(solid, theme, Fill);
  } else {
    Fill.FillType = TExportDrawingFill::ftNone;
  }

  const TXmlNode line = DrawingMLPath(spPr, "a:ln");
  if (line && !DrawingMLPath(line, "a:noFill")) {
    Border.FillType = TExportDrawingFill::ftSolid;
    if (const auto w = line.FindAttr("w")) Border.Width = Scaled(*w, 8800, Border.Width);
    if (const TXmlNode solid = DrawingMLPath(line, "a:solidFill")) ReadColor(solid, theme, Border);
    const std::string_view dash = DrawingMLPath(line, "a:prstDash").Attr("val");
    Border.Dash = dash == "sysDot" ? TExportDrawingBorder::dsDotted
                  : dash == "dash" ? TExportDrawingBorder::dsDashed
                                   : TExportDrawingBorder::dsSolid;
  } else {
    Border.FillType = TExportDrawingFill::ftNone;
  }

  if (const TXmlNode shadow = DrawingMLPath(spPr, "a:effectLst/a:outerShdw")) {
    Shadow.FillType = TExportDrawingFill::ftSolid;
    Shadow.Blur = Scaled(shadow.Attr("blurRad"), 12700, Shadow.Blur);
    Shadow.Distance = Scaled(shadow.Attr("dist"), 12700, Shadow.Distance);
    ReadColor(shadow, theme, Shadow);
  } else {
    Shadow.FillType = TExportDrawingFill::ftNone;
  }
}

}  // namespace workbook
