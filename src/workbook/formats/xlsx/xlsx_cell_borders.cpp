// SpreadsheetML forms of border lines and of the border registry.
#include <string>

#include "workbook/core/color.h"
#include "workbook/core/enum_names.h"
#include "workbook/core/units.h"
#include "workbook/core/xlsx_colors.h"
#include "workbook/model/cell_borders.h"
#include "workbook/model/cell_borders_list.h"

namespace workbook {

namespace {

TXmlNode FindOrAddChild(TXmlNode parent, std::string_view name) {
  TXmlNode child = parent.Child(name);
  return child ? child : parent.AddChild(name);
}

}  // namespace

void TExportCellBorder::WriteXLSX(TXmlNode sideNode) const {
  if (Style == kNone) return;
  sideNode.SetAttr("style", BorderStyleToXLSX(Style));
  // Found rather than added: both diagonals share one element, the down line overwriting the up.
  // ColorToARGBHex writes an automatic colour as black.
  FindOrAddChild(sideNode, "color").SetAttr("rgb", ColorToARGBHex(Color, true));
}

void TExportCellBorder::ReadXLSX(TXmlNode sideNode, const IThemeColors* themeColors,
                                 const IColorPalette* palette) {
  Style = static_cast<std::uint8_t>(XLSXToBorderStyle(sideNode ? sideNode.Attr16("style") : u""));
  TXmlNode color = sideNode ? sideNode.Child("color") : TXmlNode();
  Color = color ? ReadXLSXColor(color, themeColors, palette) : clNone;
}

void TExportCellBordersList::WriteXLSX(TXmlNode bordersNode) const {
  bordersNode.SetAttr("count", std::to_string(Count()));
  for (int i = 0; i < Count(); ++i) {
    const TExportCellBorders& borders = *GetItem(i);
    TXmlNode border = bordersNode.AddChild("border");
    borders.GetBorder(TExportCellBorders::bLeft).WriteXLSX(FindOrAddChild(border, "left"));
    borders.GetBorder(TExportCellBorders::bRight).WriteXLSX(FindOrAddChild(border, "right"));
    borders.GetBorder(TExportCellBorders::bTop).WriteXLSX(FindOrAddChild(border, "top"));
    borders.GetBorder(TExportCellBorders::bBottom).WriteXLSX(FindOrAddChild(border, "bottom"));
    const TExportCellBorder& up = borders.GetBorder(TExportCellBorders::bDiagonalUp);
    if (up.IsVisible()) {
      border.SetAttr("diagonalUp", std::string_view("1"));
      up.WriteXLSX(FindOrAddChild(border, "diagonal"));
    }
    const TExportCellBorder& down = borders.GetBorder(TExportCellBorders::bDiagonalDown);
    if (down.IsVisible()) {
      border.SetAttr("diagonalDown", std::string_view("1"));
      down.WriteXLSX(FindOrAddChild(border, "diagonal"));
    }
  }
}

void TExportCellBordersList::ReadXLSX(TXmlNode bordersNode, const IThemeColors* themeColors,
                                      const IColorPalette* palette) {
  Clear();
  for (TXmlNode node : bordersNode.Elements("border")) {
    auto borders = std::make_unique<TExportCellBorders>();
    borders->GetBorder(TExportCellBorders::bLeft)
        .ReadXLSX(node.Child("left"), themeColors, palette);
    borders->GetBorder(TExportCellBorders::bTop).ReadXLSX(node.Child("top"), themeColors, palette);
    borders->GetBorder(TExportCellBorders::bRight)
        .ReadXLSX(node.Child("right"), themeColors, palette);
    borders->GetBorder(TExportCellBorders::bBottom)
        .ReadXLSX(node.Child("bottom"), themeColors, palette);
    if (XMLStrToBoolDef(node.Attr16("diagonalUp"), false)) {
      borders->GetBorder(TExportCellBorders::bDiagonalUp)
          .ReadXLSX(node.Child("diagonal"), themeColors, palette);
    }
    if (XMLStrToBoolDef(node.Attr16("diagonalDown"), false)) {
      borders->GetBorder(TExportCellBorders::bDiagonalDown)
          .ReadXLSX(node.Child("diagonal"), themeColors, palette);
    }
    AddNew(std::move(borders));
  }
}

}  // namespace workbook
