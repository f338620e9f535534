#pragma once
// What the colour readers need of the colours a file defines elsewhere: the theme's colour scheme
// (by position for SpreadsheetML, by name for DrawingML) and the indexed palette. The XLSX theme
// list and the palette implement these; a reader without them passes nullptr.
#include <string_view>

#include "workbook/core/color.h"

namespace workbook {

class IThemeColors {
 public:
  virtual ~IThemeColors() = default;
  virtual int GetCount() const = 0;
  // index is within 0..GetCount() - 1.
  virtual TColor GetColor(int index) const = 0;
  // A scheme name such as "accent1" or "tx1"; false when the theme has none of that name.
  virtual bool FindByName(std::u16string_view name, TColor& color) const = 0;
};

class IColorPalette {
 public:
  virtual ~IColorPalette() = default;
  // No colour (clNone) for an index outside the palette.
  virtual TColor GetColor(int index) const = 0;
};

// Lends IColorPalette to any palette class with GetColor(int) (the XLS palette):
//   const TColorPaletteRef palette(filePalette);  ReadXLSXColor(node, theme, &palette);
template <class Palette>
class TColorPaletteRef : public IColorPalette {
 public:
  explicit TColorPaletteRef(const Palette& palette) : palette_(palette) {}
  TColor GetColor(int index) const override { return palette_.GetColor(index); }

 private:
  const Palette& palette_;
};

}  // namespace workbook
