// The border fields of a BIFF8 XF record.
#include "workbook/formats/xls/xls_cell_borders.h"
#include "workbook/core/enum_names.h"

namespace workbook {

namespace {

constexpr std::uint32_t kColorMask = 0x7F;
constexpr std::uint32_t kDiagonalDownBit = 1u << 30;
constexpr std::uint32_t kDiagonalUpBit = 1u << 31;

}  // namespace

TXLSBorderFields XLSWriteBorderFields(const TExportCellBorders& borders,
                                      const std::function<std::uint8_t(TColor)>& colorIndex) {
  using B = TExportCellBorders;
  // Style code and colour index of a side; the colour only when the side is not "none".
  auto code = [](const TExportCellBorder& line) -> std::uint32_t {
    return BorderStyleToXLS(line.Style);
  };
  auto color = [&colorIndex](const TExportCellBorder& line) -> std::uint32_t {
    return line.Style == TExportCellBorder::kNone ? 0 : colorIndex(line.Color) & kColorMask;
  };
  const TExportCellBorder& left = borders.GetBorder(B::bLeft);
  const TExportCellBorder& right = borders.GetBorder(B::bRight);
  const TExportCellBorder& top = borders.GetBorder(B::bTop);
  const TExportCellBorder& bottom = borders.GetBorder(B::bBottom);
  const TExportCellBorder& down = borders.GetBorder(B::bDiagonalDown);
  const TExportCellBorder& up = borders.GetBorder(B::bDiagonalUp);

  TXLSBorderFields fields;
  fields.Lines = code(left) | code(right) << 4 | code(top) << 8 | code(bottom) << 12;
  fields.Lines |= color(left) << 16;
  fields.Lines |= color(right) << 23;
  // One palette request per statement: the palette hands out entries in the order it is asked.
  fields.Colors = color(top);
  fields.Colors |= color(bottom) << 7;
  if (down.IsVisible()) fields.Lines |= kDiagonalDownBit;
  if (up.IsVisible()) fields.Lines |= kDiagonalUpBit;
  if (down.IsVisible() || up.IsVisible()) {
    const TExportCellBorder& diagonal = down.IsVisible() ? down : up;
    fields.Colors |= color(diagonal) << 14;
    fields.Colors |= code(diagonal) << 21;
  }
  return fields;
}

void XLSReadBorderFields(TExportCellBorders& borders, const TXLSBorderFields& fields,
                         const std::function<TColor(int)>& colorOf) {
  using B = TExportCellBorders;
  auto line = [](std::uint32_t bits) {
    return static_cast<std::uint8_t>(XLSToBorderStyle(static_cast<std::uint8_t>(bits & 0x0F)));
  };
  auto color = [&colorOf](std::uint32_t bits) {
    return colorOf(static_cast<int>(bits & kColorMask));
  };
  borders.GetBorder(B::bLeft) = TExportCellBorder(line(fields.Lines), color(fields.Lines >> 16));
  borders.GetBorder(B::bRight) =
      TExportCellBorder(line(fields.Lines >> 4), color(fields.Lines >> 23));
  borders.GetBorder(B::bTop) = TExportCellBorder(line(fields.Lines >> 8), color(fields.Colors));
  borders.GetBorder(B::bBottom) =
      TExportCellBorder(line(fields.Lines >> 12), color(fields.Colors >> 7));
  const TColor diagonalColor = color(fields.Colors >> 14);
  const std::uint8_t diagonalStyle = line(fields.Colors >> 21);
  borders.GetBorder(B::bDiagonalDown) = TExportCellBorder(
      (fields.Lines & kDiagonalDownBit) ? diagonalStyle : TExportCellBorder::kNone, diagonalColor);
  borders.GetBorder(B::bDiagonalUp) = TExportCellBorder(
      (fields.Lines & kDiagonalUpBit) ? diagonalStyle : TExportCellBorder::kNone, diagonalColor);
}

}  // namespace workbook
