#pragma once
// A theme of six colours for the tests of the XLSX colour readers.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "workbook/core/color_sources.h"

namespace workbook::test {

// The Office 2007 scheme in the order the XLSX reader lists it (lt1, dk1, lt2, dk2, accents...).
class FakeTheme : public IThemeColors {
 public:
  std::vector<std::pair<std::u16string, TColor>> colors = {
      {u"bg1", 0xFFFFFF}, {u"tx1", 0x000000},     {u"bg2", 0xE1ECEE},
      {u"tx2", 0x7D491F}, {u"accent1", 0xBD814F}, {u"accent2", 0x4D50C0}};
  int GetCount() const override { return static_cast<int>(colors.size()); }
  TColor GetColor(int Index) const override { return colors.at(Index).second; }
  bool FindByName(std::u16string_view Name, TColor& Color) const override {
    for (const auto& [name, color] : colors)
      if (name == Name) {
        Color = color;
        return true;
      }
    return false;
  }
};

}  // namespace workbook::test
