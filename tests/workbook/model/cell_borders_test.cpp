#include "workbook/model/cell_borders.h"

#include <gtest/gtest.h>

#include "workbook/core/list_error.h"

namespace workbook {
namespace {

TEST(CellBorders, MergeAndMergeVisible) {
  // Merge takes any set line, MergeVisible only a visible one (style 2 and up).
  const struct {
    std::uint8_t targetStyle, sourceStyle;
    TColor sourceColor;
    std::uint8_t mergedStyle, visibleStyle;
    TColor color;
  } cases[] = {{3, 0, clNone, 3, 3, 0x111111},
               {3, 1, clNone, 1, 3, 0x111111},
               {3, 2, 0x0000FF, 2, 2, 0x0000FF},
               {0, 14, 0, 14, 14, 0}};
  for (const auto& c : cases) {
    const TExportCellBorder source(c.sourceStyle, c.sourceColor);
    TExportCellBorder merged(c.targetStyle, 0x111111);
    merged.Merge(source);
    EXPECT_EQ(merged, TExportCellBorder(c.mergedStyle, c.color));
    TExportCellBorder visible(c.targetStyle, 0x111111);
    visible.MergeVisible(source);
    EXPECT_EQ(visible, TExportCellBorder(c.visibleStyle, c.color));
  }
  // Sets merge line by line.
  TExportCellBorders target;
  target.GetBorder(TExportCellBorders::bTop) = TExportCellBorder(2, 0);
  TExportCellBorders source;
  source.GetBorder(TExportCellBorders::bDiagonalUp) = TExportCellBorder(6, 0xFF);
  target.Merge(source);
  EXPECT_EQ(target.GetBorder(TExportCellBorders::bTop), TExportCellBorder(2, 0));
  EXPECT_EQ(target.GetBorder(TExportCellBorders::bDiagonalUp), TExportCellBorder(6, 0xFF));
  EXPECT_THROW(target.GetBorder(6), EListError);
}

}  // namespace
}  // namespace workbook
