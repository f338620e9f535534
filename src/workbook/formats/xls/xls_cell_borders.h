#pragma once
// A cell's border set as the border fields of a BIFF8 XF record, both ways.
#include <cstdint>
#include <functional>

#include "workbook/model/cell_borders.h"

namespace workbook {

// The double word at offset 10 and bits 0-24 of the one at offset 14 (its fill bit is the XF
// writer's).
struct TXLSBorderFields {
  std::uint32_t Lines = 0;
  std::uint32_t Colors = 0;
  bool operator==(const TXLSBorderFields&) const = default;
};

// 4-bit line codes of left, right, top, bottom; palette indexes of their colours (sides whose
// style is not none); the diagonal flags, and the style and colour of the down diagonal when
// visible, else of the up one. colorIndex is asked in the order left, right, top, bottom, diagonal.
TXLSBorderFields XLSWriteBorderFields(const TExportCellBorders& borders,
                                      const std::function<std::uint8_t(TColor)>& colorIndex);
// The six lines back from the fields; colorOf resolves the colour indexes. A diagonal without its
// flag reads as none.
void XLSReadBorderFields(TExportCellBorders& borders, const TXLSBorderFields& fields,
                         const std::function<TColor(int)>& colorOf);

// The same through a palette: GetColorIndex(colour) -> byte, and GetColor(index) (no colour
// outside it).
template <class Palette>
TXLSBorderFields XLSWriteBorders(const TExportCellBorders& borders, Palette& palette) {
  return XLSWriteBorderFields(borders,
                              [&palette](TColor color) { return palette.GetColorIndex(color); });
}
template <class Palette>
void XLSReadBorders(TExportCellBorders& borders, const TXLSBorderFields& fields,
                    const Palette& palette) {
  XLSReadBorderFields(borders, fields, [&palette](int index) { return palette.GetColor(index); });
}

}  // namespace workbook
