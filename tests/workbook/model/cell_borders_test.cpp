#include "workbook/model/cell_borders.h"

#include <gtest/gtest.h>

#include "style_test_support.h"

namespace workbook {
namespace {

using test::Narrow;

TEST(CellBorders, NewSetHasSixUnsetAutomaticLines) {
  EXPECT_EQ(Narrow(TExportCellBorders().GetKeyString()),
            "0;536870911;0;536870911;0;536870911;0;536870911;0;536870911;0;536870911");
}

TEST(CellBorders, KeyListsLinesTopRightBottomLeftDownUp) {
  TExportCellBorders borders;
  for (int i = 0; i < TExportCellBorders::kLineCount; ++i) {
    borders.GetBorder(i) = TExportCellBorder(static_cast<std::uint8_t>(i + 2), i);
  }
  EXPECT_EQ(Narrow(borders.GetKeyString()), "2;0;3;1;4;2;5;3;6;4;7;5");
  EXPECT_THROW(borders.GetBorder(6), EListError);
  EXPECT_THROW(borders.GetBorder(-1), EListError);
}

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
}

TEST(CellBorders, MergeWorksPerLine) {
  TExportCellBorders target;
  target.GetBorder(TExportCellBorders::bTop) = TExportCellBorder(2, 0);
  TExportCellBorders source;
  source.GetBorder(TExportCellBorders::bDiagonalUp) = TExportCellBorder(6, 0xFF);
  target.Merge(source);
  EXPECT_EQ(target.GetBorder(TExportCellBorders::bTop), TExportCellBorder(2, 0));
  EXPECT_EQ(target.GetBorder(TExportCellBorders::bDiagonalUp), TExportCellBorder(6, 0xFF));
  EXPECT_TRUE(target.GetBorder(0).IsEqual(TExportCellBorder(2, 0)));
}

}  // namespace
}  // namespace workbook
