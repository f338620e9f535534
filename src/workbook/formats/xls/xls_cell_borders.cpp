// The border fields of a BIFF8 XF record.
#include "workbook/core/enum_names.h"
#include "workbook/model/cell_borders.h"

namespace workbook {

namespace {

constexpr std::uint32_t kColorMask = 0x7F;
constexpr std::uint32_t kDiagonalDownBit = 1u << 30;
constexpr std::uint32_t kDiagonalUpBit = 1u << 31;

}  // namespace

TXLSBorderFields TExportCellBorders::WriteXLSFields(
    const std::function<std::uint8_t(TColor)>& colorIndex) const {
  // Style code and colour index of a side; the colour only when the side is not "none".
  auto code = [](const TExportCellBorder& line) -> std::uint32_t {
    return BorderStyleToXLS(line.Style);
  };
  auto color = [&colorIndex](const TExportCellBorder& line) -> std::uint32_t {
    return line.Style == TExportCellBorder::kNone ? 0 : colorIndex(line.Color) & kColorMask;
  };
  const TExportCellBorder& left = lines_[bLeft];
  const TExportCellBorder& right = lines_[bRight];
  const TExportCellBorder& top = lines_[bTop];
  const TExportCellBorder& bottom = lines_[bBottom];
  const TExportCellBorder& down = lines_[bDiagonalDown];
  const TExportCellBorder& up = lines_[bDiagonalUp];

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

void TExportCellBorders::ReadXLSFields(const TXLSBorderFields& fields,
                                       const std::function<TColor(int)>& colorOf) {
  auto line = [](std::uint32_t bits) {
    return static_cast<std::uint8_t>(XLSToBorderStyle(static_cast<std::uint8_t>(bits & 0x0F)));
  };
  auto color = [&colorOf](std::uint32_t bits) {
    return colorOf(static_cast<int>(bits & kColorMask));
  };
  lines_[bLeft] = TExportCellBorder(line(fields.Lines), color(fields.Lines >> 16));
  lines_[bRight] = TExportCellBorder(line(fields.Lines >> 4), color(fields.Lines >> 23));
  lines_[bTop] = TExportCellBorder(line(fields.Lines >> 8), color(fields.Colors));
  lines_[bBottom] = TExportCellBorder(line(fields.Lines >> 12), color(fields.Colors >> 7));
  const TColor diagonalColor = color(fields.Colors >> 14);
  const std::uint8_t diagonalStyle = line(fields.Colors >> 21);
  lines_[bDiagonalDown] = TExportCellBorder(
      (fields.Lines & kDiagonalDownBit) ? diagonalStyle : TExportCellBorder::kNone, diagonalColor);
  lines_[bDiagonalUp] = TExportCellBorder(
      (fields.Lines & kDiagonalUpBit) ? diagonalStyle : TExportCellBorder::kNone, diagonalColor);
}

}  // namespace workbook
