// SpreadsheetML forms of fonts: the font element of styles.xml and a rich-text run's properties.
#include <cmath>
#include <limits>
#include <string>

#include "workbook/core/color.h"
#include "workbook/core/invariant_texts.h"
#include "workbook/core/xlsx_colors.h"
#include "workbook/core/xml/xml_document.h"
#include "workbook/model/font.h"
#include "workbook/model/font_list.h"

namespace workbook {

namespace {

// b, i and strike: 1 (on) is the bare element, 2 (off) carries val="0".
void WriteOnOff(TXmlNode fontNode, std::string_view name, std::uint8_t value) {
  if (value != 1 && value != 2) return;
  TXmlNode node = fontNode.AddChild(name);
  if (value == 2) node.SetAttr("val", std::string_view("0"));
}

// A number text rounded half to even and kept within Int32; Default when it is no number.
std::int32_t ReadInteger(std::u16string_view text, std::int32_t defaultValue) {
  const double value = ISOStrToFloatDef(text, std::numeric_limits<double>::quiet_NaN());
  if (std::isnan(value)) return defaultValue;
  constexpr double kMin = std::numeric_limits<std::int32_t>::min();
  constexpr double kMax = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(std::nearbyint(std::fmin(std::fmax(value, kMin), kMax)));
}

// b, i and strike: absent or val "0" is off; present bare or with a non-zero number is on. A val
// that is no number is on, except the ST_OnOff texts "false" and "off".
std::uint8_t ReadOnOff(TXmlNode fontNode, std::string_view name) {
  TXmlNode node = fontNode.Child(name);
  if (!node) return 2;
  const std::optional<std::string_view> val = node.FindAttr("val");
  if (!val) return 1;
  if (*val == "false" || *val == "off") return 2;
  return ReadInteger(node.Attr16("val"), 1) != 0 ? 1 : 2;
}

// Underline values 1 to 5 as SpreadsheetML names them.
constexpr std::string_view kUnderlineNames[] = {
    "", "single", "double", "singleAccounting", "doubleAccounting", "none"};
constexpr std::string_view kVertAlignNames[] = {"", "superscript", "subscript", "none"};

}  // namespace

void TExportFontStyle::WriteXLSX(TXmlNode fontNode) const {
  WriteOnOff(fontNode, "b", Bold);
  WriteOnOff(fontNode, "i", Italic);
  WriteOnOff(fontNode, "strike", StrikeOut);
  if (Underline != 0) {
    TXmlNode node = fontNode.AddChild("u");
    if (Underline >= 2 && Underline <= 5) node.SetAttr("val", kUnderlineNames[Underline]);
  }
  if (VertPosition == 1 || VertPosition == 2) {
    fontNode.AddChild("vertAlign").SetAttr("val", kVertAlignNames[VertPosition]);
  }
}

void TExportFontStyle::ReadXLSX(TXmlNode fontNode) {
  Bold = ReadOnOff(fontNode, "b");
  Italic = ReadOnOff(fontNode, "i");
  StrikeOut = ReadOnOff(fontNode, "strike");

  Underline = 5;
  if (TXmlNode node = fontNode.Child("u")) {
    const std::optional<std::string_view> val = node.FindAttr("val");
    Underline = val ? 0 : 1;
    for (std::uint8_t i = 1; val && i <= 5; ++i) {
      if (*val == kUnderlineNames[i]) Underline = i;
    }
  }

  VertPosition = 3;
  if (TXmlNode node = fontNode.Child("vertAlign")) {
    const std::optional<std::string_view> val = node.FindAttr("val");
    VertPosition = val ? 0 : 1;
    for (std::uint8_t i = 1; val && i <= 3; ++i) {
      if (*val == kVertAlignNames[i]) VertPosition = i;
    }
  }
}

void TExportFont::WriteXLSX(TXmlNode fontNode, std::string_view nameElement) const {
  style_.WriteXLSX(fontNode);
  if (size_ >= 0) fontNode.AddChild("sz").SetAttr("val", std::to_string(size_));
  if (color_ != clNone) {
    fontNode.AddChild("color").SetAttr("rgb", ColorToARGBHex(color_, true));
  }
  if (!name_.empty()) fontNode.AddChild(nameElement).SetAttr("val", name_);
}

std::string TExportFont::WriteXLSXRun() const {
  TXmlDocument doc;
  WriteXLSX(doc.CreateRoot("rPr"), "rFont");
  std::string text = doc.SaveToString();
  // Only the element: the run writer places it inside its own part.
  const std::size_t start = text.find("<rPr");
  text.erase(0, start);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

void TExportFont::ReadXLSX(TXmlNode fontNode, const IThemeColors* themeColors,
                           const IColorPalette* palette, std::string_view nameElement) {
  style_.ReadXLSX(fontNode);
  if (TXmlNode sz = fontNode.Child("sz")) size_ = ReadInteger(sz.Attr16("val"), size_);
  TXmlNode color = fontNode.Child("color");
  color_ = color ? ReadXLSXColor(color, themeColors, palette) : clNone;
  TXmlNode name = fontNode.Child(nameElement);
  name_ = name ? name.Attr16("val") : std::u16string();
}

void TExportFontList::WriteXLSX(TXmlNode fontsNode) const {
  fontsNode.SetAttr("count", std::to_string(Count()));
  for (int i = 0; i < Count(); ++i) GetItem(i)->WriteXLSX(fontsNode.AddChild("font"), "name");
}

void TExportFontList::ReadXLSX(TXmlNode fontsNode, const IThemeColors* themeColors,
                               const IColorPalette* palette) {
  Clear();
  for (TXmlNode node = fontsNode.FirstElement(); node; node = node.NextElement()) {
    auto font = std::make_unique<TExportFont>();
    font->ReadXLSX(node, themeColors, palette, "name");
    AddNew(std::move(font));
  }
}

}  // namespace workbook
