#include <gtest/gtest.h>

#include <vector>

#include "workbook/formats/xls/xls_cell_borders.h"
#include "workbook/model/style_test_support.h"

namespace workbook {
namespace {

// Hands out 8, 9, ... in the order colours are asked for; knows the indexes 0 to 65.
struct FakePalette {
  std::vector<TColor> asked;
  std::uint8_t GetColorIndex(TColor color) {
    asked.push_back(color);
    return static_cast<std::uint8_t>(7 + asked.size());
  }
  TColor GetColor(int index) const { return index < 66 ? 0x010101 * index : clNone; }
};

TEST(CellBordersXls, FieldsFollowTheXfLayout) {
  TExportCellBorders borders;
  borders.GetBorder(TExportCellBorders::bLeft) = TExportCellBorder(2, 0x0000FF);
  borders.GetBorder(TExportCellBorders::bRight) = TExportCellBorder(3, 0xFF0000);
  borders.GetBorder(TExportCellBorders::bTop) = TExportCellBorder(1, 0x123456);
  borders.GetBorder(TExportCellBorders::bBottom) = TExportCellBorder(7, clNone);
  borders.GetBorder(TExportCellBorders::bDiagonalDown) = TExportCellBorder(6, 0x00FF00);
  borders.GetBorder(TExportCellBorders::bDiagonalUp) = TExportCellBorder(8, 0x00FFFF);
  FakePalette palette;
  const TXLSBorderFields fields = XLSWriteBorders(borders, palette);
  // Codes left 1, right 2, top 0, bottom 6; colours left 8 (bits 16-22), right 9 (23-29); both
  // diagonal flags (bits 30, 31).
  EXPECT_EQ(fields.Lines, 0xC4886021u);
  // Top has no colour (none), bottom 10 (bits 7-13), diagonal colour 11 (14-20) and the down
  // diagonal's code 5 (21-24).
  EXPECT_EQ(fields.Colors, 0x00A2C500u);
  EXPECT_EQ(palette.asked, (std::vector<TColor>{0x0000FF, 0xFF0000, clNone, 0x00FF00}));
}

TEST(CellBordersXls, UpDiagonalAloneAndEmptySet) {
  TExportCellBorders borders;
  borders.GetBorder(TExportCellBorders::bDiagonalUp) = TExportCellBorder(14, 0x00FFFF);
  borders.GetBorder(TExportCellBorders::bDiagonalDown) = TExportCellBorder(1, 0x00FF00);
  FakePalette palette;
  const TXLSBorderFields fields = XLSWriteBorders(borders, palette);
  // Four unset sides (code 0) still take colour indexes 8 to 11; the up diagonal 12, code 13.
  EXPECT_EQ(fields.Lines, 0x80000000u | 9u << 23 | 8u << 16);
  EXPECT_EQ(fields.Colors, 10u | 11u << 7 | 12u << 14 | 13u << 21);
}

TEST(CellBordersXls, ReadBuildsTheSixLines) {
  TExportCellBorders borders;
  FakePalette palette;
  XLSReadBorders(borders, {0xC4886021u, 0x00A2C500u}, palette);
  EXPECT_EQ(test::Narrow(borders.GetKeyString()),
            // top none (code 0 reads as 1), right medium colour 9, bottom double 10, left thin 8,
            // both diagonals thick with colour 11.
            "1;0;3;592137;7;657930;2;526344;6;723723;6;723723");
}

TEST(CellBordersXls, ReadWithoutDiagonalFlagsAndOutOfPaletteColours) {
  TExportCellBorders borders;
  FakePalette palette;
  XLSReadBorders(borders, {0x3FFFFFFFu, 0x01FFFFFFu}, palette);
  // Code 15 reads as 14 (the last style); index 127 is outside the palette.
  EXPECT_EQ(test::Narrow(borders.GetKeyString()),
            "14;536870911;14;536870911;14;536870911;14;536870911;1;536870911;1;536870911");
}

}  // namespace
}  // namespace workbook
