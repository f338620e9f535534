// OpenDocument graphic properties of a drawing frame.
#include <cmath>

#include "workbook/core/invariant_texts.h"
#include "workbook/formats/ods/ods_lengths.h"
#include "workbook/model/drawing_style.h"

namespace workbook {

namespace {

std::u16string Hash(TColor color) { return u"#" + ColorToARGBHex(color, false); }

}  // namespace

void TExportDrawingStyle::WriteODS(const TXmlNode& node) const {
  if (Fill.FillType == TExportDrawingFill::ftNone) {
    node.SetAttr("draw:fill", "none");
  } else if (Fill.FillType == TExportDrawingFill::ftSolid) {
    node.SetAttr("draw:fill", "solid");
    node.SetAttr("draw:fill-color", Hash(Fill.Color));
    if (Fill.Transparency != 0) node.SetAttr("draw:opacity", TransparencyToODS(Fill.Transparency));
  }

  if (Border.FillType == TExportDrawingFill::ftNone) {
    node.SetAttr("draw:stroke", "none");
  } else {
    if (Border.Dash == TExportDrawingBorder::dsDotted)
      node.SetAttr("draw:stroke-dash", "Ultrafine_20_Dotted_20__28_var_29_");
    else if (Border.Dash == TExportDrawingBorder::dsDashed)
      node.SetAttr("draw:stroke-dash", "Fine_20_Dashed_20__28_var_29_");
    node.SetAttr("draw:stroke", Border.Dash == TExportDrawingBorder::dsSolid ? "solid" : "dash");
    if (Border.FillType == TExportDrawingFill::ftSolid)
      node.SetAttr("svg:stroke-color", Hash(Border.Color));
    if (Border.Width >= 0)
      node.SetAttr("svg:stroke-width",
                   ISOFloatToStr(std::round(Border.Width * 0.017 * 1000) / 1000) + u"cm");
    if (Border.Transparency != 0)
      node.SetAttr("svg:stroke-opacity", TransparencyToODS(Border.Transparency));
  }

  if (Shadow.Visible()) {
    node.SetAttr("draw:shadow", "visible");
    node.SetAttr("draw:shadow-color", Hash(Shadow.Color));
    node.SetAttr("draw:shadow-offset-x", PixelsToCmText(Shadow.Distance));
    node.SetAttr("draw:shadow-offset-y", PixelsToCmText(Shadow.Distance));
    if (Shadow.Transparency != 0)
      node.SetAttr("draw:shadow-opacity", TransparencyToODS(Shadow.Transparency));
  }
}

}  // namespace workbook
