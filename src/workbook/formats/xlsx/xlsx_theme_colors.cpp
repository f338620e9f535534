#include "workbook/formats/xlsx/xlsx_theme_colors.h"

#include "platform/text_codec.h"

namespace workbook {

void TExporterXLSX_ThemeColor::SetName(std::u16string_view name) {
  if (name == u"dk1")
    Name = u"tx1";
  else if (name == u"dk2")
    Name = u"tx2";
  else if (name == u"lt1")
    Name = u"bg1";
  else if (name == u"lt2")
    Name = u"bg2";
  else
    Name = name;
}

void TExporterXLSX_ThemeColors::ReadXLSX(TXmlDocument& theme) {
  TXmlNode scheme = theme.FindPath("theme/themeElements/clrScheme");
  if (!scheme) return;
  int k = 0;
  for (TXmlNode child = scheme.FirstElement(); child; child = child.NextElement(), ++k) {
    TExporterXLSX_ThemeColor entry;
    TXmlNode only = child.FirstElement();
    if (only && !only.NextElement()) {
      std::u16string hex;
      if (only.LocalName() == "sysClr")
        hex = only.Attr16("lastClr");
      else if (only.LocalName() == "srgbClr")
        hex = only.Attr16("val");
      if (hex.size() == 6) entry.Color = ARGBHexToColor(hex);
    }
    entry.SetName(platform::Utf8ToUtf16(std::string(child.LocalName())));
    // Light and dark swap places so that positions follow the theme attribute's numbering.
    if (k == 1)
      items_.insert(items_.begin(), std::move(entry));
    else if (k == 3 && items_.size() >= 2)
      items_.insert(items_.begin() + 2, std::move(entry));
    else
      items_.push_back(std::move(entry));
  }
}

bool TExporterXLSX_ThemeColors::FindByName(std::u16string_view name, TColor& color) const {
  for (const TExporterXLSX_ThemeColor& item : items_) {
    if (item.Name == name) {
      color = item.Color;
      return true;
    }
  }
  return false;
}

}  // namespace workbook
