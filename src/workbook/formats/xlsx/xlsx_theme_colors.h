#pragma once
// The theme's colour scheme ("xl/theme/theme1.xml") as the colour readers resolve it: by position
// for SpreadsheetML's theme attribute (lt1, dk1, lt2, dk2, then the rest in file order) and by
// name for DrawingML's scheme colours.
#include <string>
#include <string_view>
#include <vector>

#include "workbook/core/color_sources.h"
#include "workbook/core/xml/xml_document.h"

namespace workbook {

struct TExporterXLSX_ThemeColor {
  std::u16string Name;
  TColor Color = clNone;
  // "dk1"/"dk2" are stored as "tx1"/"tx2", "lt1"/"lt2" as "bg1"/"bg2".
  void SetName(std::u16string_view name);
};

class TExporterXLSX_ThemeColors : public IThemeColors {
 public:
  // Reads a:theme/a:themeElements/a:clrScheme of the theme part; a tree without one adds nothing.
  void ReadXLSX(TXmlDocument& theme);
  void Clear() { items_.clear(); }

  int GetCount() const override { return static_cast<int>(items_.size()); }
  TColor GetColor(int index) const override { return items_.at(index).Color; }
  const TExporterXLSX_ThemeColor& GetItem(int index) const { return items_.at(index); }
  // The first entry of exactly that name.
  bool FindByName(std::u16string_view name, TColor& color) const override;

 private:
  std::vector<TExporterXLSX_ThemeColor> items_;
};

}  // namespace workbook
