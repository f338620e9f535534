#pragma once
// The workbook's font registry: one TExportFont per distinct key string. Entry 0 is the default
// font (Arial 10) until a file's fonts replace it.
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "workbook/model/font.h"
#include "workbook/model/style_registry.h"

namespace workbook {

class TStream;

class TExportFontList : public TExportStyleRegistry<TExportFont> {
 public:
  TExportFontList() : TExportStyleRegistry(DefaultFont()) {}

  // Arial, size 10, no style, automatic colour.
  static TExportFont DefaultFont();

  // styles.xml: count attribute, then one font element per entry in index order.
  void WriteXLSX(TXmlNode fontsNode) const;
  // Replaces the entries by the file's fonts, one per element child, in file order (equal fonts
  // too), so index i is the file's font i.
  void ReadXLSX(TXmlNode fontsNode, const IThemeColors* themeColors, const IColorPalette* palette);

  // The FONT records, header included: entry 0 four times (BIFF8 has no font index 4, so BIFF
  // font i + 4 is registry entry i for i >= 1), then the other entries in order. The palette gives
  // each colour its index (GetColorIndex(colour) -> byte), asked once per entry in index order.
  template <class Palette>
  void WriteXLS(TStream& stream, Palette& palette) const {
    for (int i = 0; i < Count(); ++i) {
      const TExportFont& font = *GetItem(i);
      WriteXLSRecord(stream, font.WriteXLS(palette.GetColorIndex(font.GetColor())), i == 0 ? 4 : 1);
    }
  }

  // One FONT record's data (after the header) as a new entry kept in file order; the palette turns
  // the colour index into a colour (GetColor(index), no colour outside the palette). Returns the
  // entry's index.
  template <class Palette>
  int ReadXLS(std::span<const std::uint8_t> data, const Palette& palette) {
    auto font = std::make_unique<TExportFont>();
    font->SetColor(palette.GetColor(font->ReadXLS(data)));
    return AddNew(std::move(font));
  }

 private:
  static void WriteXLSRecord(TStream& stream, const std::vector<std::uint8_t>& data, int times);
};

}  // namespace workbook
