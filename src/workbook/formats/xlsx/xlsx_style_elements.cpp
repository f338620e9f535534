#include "workbook/formats/xlsx/xlsx_style_elements.h"

#include <cmath>

#include "workbook/core/enum_names.h"
#include "workbook/core/invariant_texts.h"
#include "workbook/core/units.h"
#include "workbook/formats/xlsx/xlsx_color.h"

namespace workbook {

namespace {

// A flag element: present and not switched off by its val attribute.
std::uint8_t FlagByte(TXmlNode parent, std::string_view name) {
  TXmlNode flag = parent.Child(name);
  if (!flag) return 0;
  return XMLStrToBoolDef(flag.Attr16("val"), true) ? 1 : 2;
}

std::uint8_t UnderlineByte(TXmlNode parent) {
  TXmlNode underline = parent.Child("u");
  if (!underline) return 0;
  const std::string_view val = underline.Attr("val");
  if (val.empty() || val == "single") return 1;
  if (val == "double") return 2;
  if (val == "singleAccounting") return 3;
  if (val == "doubleAccounting") return 4;
  return 5;
}

std::uint8_t VertPositionByte(TXmlNode parent) {
  const std::string_view val = parent.Child("vertAlign").Attr("val");
  if (val == "superscript") return 1;
  if (val == "subscript") return 2;
  if (val == "baseline") return 3;
  return 0;
}

}  // namespace

TExportFontStyle ReadXLSXFontStyle(TXmlNode font) {
  TExportFontStyle style;
  style.Bold = FlagByte(font, "b");
  style.Italic = FlagByte(font, "i");
  style.StrikeOut = FlagByte(font, "strike");
  style.Underline = UnderlineByte(font);
  style.VertPosition = VertPositionByte(font);
  return style;
}

TExportFont ReadXLSXFont(TXmlNode font, const IThemeColors* theme,
                         const TExporterXLSX_Palette* palette) {
  TExportFont result;
  result.GetStyle() = ReadXLSXFontStyle(font);
  if (TXmlNode size = font.Child("sz")) {
    const double points = ISOStrToFloatDef(size.Attr16("val"), 10.0);
    result.SetSize(points > 0 && points < 10000 ? static_cast<int>(std::lround(points)) : 10);
  }
  result.SetColor(ReadXLSXColor(font.Child("color"), theme, palette));
  TXmlNode name = font.Child("name");
  if (!name) name = font.Child("rFont");
  result.SetName(name.Attr16("val"));
  return result;
}

TExportCellBorders ReadXLSXBorders(TXmlNode border, const IThemeColors* theme,
                                   const TExporterXLSX_Palette* palette) {
  TExportCellBorders borders;
  auto readLine = [&](TXmlNode line, int index) {
    if (!line) return;
    TExportCellBorder& target = borders.GetBorder(index);
    target.Style = static_cast<std::uint8_t>(XLSXToBorderStyle(line.Attr16("style")));
    target.Color = ReadXLSXColor(line.Child("color"), theme, palette);
  };
  readLine(border.Child("top"), TExportCellBorders::bTop);
  readLine(border.Child("right") ? border.Child("right") : border.Child("end"),
           TExportCellBorders::bRight);
  readLine(border.Child("bottom"), TExportCellBorders::bBottom);
  readLine(border.Child("left") ? border.Child("left") : border.Child("start"),
           TExportCellBorders::bLeft);
  TXmlNode diagonal = border.Child("diagonal");
  if (XMLStrToBoolDef(border.Attr16("diagonalDown"), false))
    readLine(diagonal, TExportCellBorders::bDiagonalDown);
  if (XMLStrToBoolDef(border.Attr16("diagonalUp"), false))
    readLine(diagonal, TExportCellBorders::bDiagonalUp);
  return borders;
}

}  // namespace workbook
