#include "workbook/model/font.h"

#include <gtest/gtest.h>

#include <tuple>

#include "style_test_support.h"
#include "workbook/core/list_error.h"
#include "workbook/model/cell_borders.h"
#include "workbook/model/cell_borders_list.h"
#include "workbook/model/font_list.h"

namespace workbook {
namespace {

using test::Narrow;

// A style byte counts only when set (1); 2 and up mean "not set" for every measure.
TEST(FontStyle, OnlySetBytesGiveMeasuringBits) {
  const std::tuple<std::uint8_t, std::uint8_t, std::uint8_t, std::uint8_t, std::uint8_t> cases[] = {
      {0, 0, 0, 0, 0}, {2, 5, 2, 2, 0}, {1, 0, 0, 0, 1}, {0, 0, 1, 0, 2}, {0, 1, 0, 0, 4},
      {0, 2, 0, 0, 4}, {0, 3, 0, 0, 0}, {0, 0, 0, 1, 8}, {1, 1, 1, 1, 15}};
  for (const auto& [bold, underline, italic, strike, expected] : cases) {
    TExportFontStyle style;
    style.Bold = bold;
    style.Underline = underline;
    style.Italic = italic;
    style.StrikeOut = strike;
    EXPECT_EQ(style.GetFontStyles(), expected) << Narrow(style.GetKeyString());
  }
  TExportFontStyle style;
  style.SetFontStyles(TExportFontStyle::fsBold | TExportFontStyle::fsStrikeOut);
  EXPECT_EQ(Narrow(style.GetKeyString()), "1;5;2;3;1");  // bold;underline;italic;position;strike
}

TEST(Font, MergeTakesOnlySetFields) {
  TExportFont target;
  target.SetSize(12);
  target.SetColor(0x0000FF);
  target.SetName(u"Calibri");
  target.GetStyle().Bold = 1;
  target.GetStyle().Italic = 2;
  const TExportFont before = target;
  TExportFont overlay;
  overlay.SetSize(-1);
  target.Merge(overlay);
  EXPECT_EQ(target, before);
  overlay.SetSize(0);
  overlay.SetColor(0x123456);
  overlay.GetStyle().Underline = 5;
  overlay.GetStyle().Italic = 1;
  target.Merge(overlay);
  EXPECT_EQ(Narrow(target.GetKeyString()), "0;1;5;1;0;0;1193046;Calibri");
}

TEST(CellBorders, MergeAndMergeVisible) {
  // Merge takes any set line, MergeVisible only a visible one (style 2 and up).
  const std::tuple<std::uint8_t, std::uint8_t, TColor, std::uint8_t, std::uint8_t, TColor> cases[] =
      {{3, 0, clNone, 3, 3, 0x111111},
       {3, 1, clNone, 1, 3, 0x111111},
       {3, 2, 0x0000FF, 2, 2, 0x0000FF},
       {0, 14, 0, 14, 14, 0}};
  for (const auto& [targetStyle, sourceStyle, sourceColor, mergedStyle, visibleStyle, color] :
       cases) {
    const TExportCellBorder source(sourceStyle, sourceColor);
    TExportCellBorder merged(targetStyle, 0x111111);
    merged.Merge(source);
    EXPECT_EQ(merged, TExportCellBorder(mergedStyle, color));
    TExportCellBorder visible(targetStyle, 0x111111);
    visible.MergeVisible(source);
    EXPECT_EQ(visible, TExportCellBorder(visibleStyle, color));
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

TExportFont MakeFont(const char16_t* name, int size, std::uint8_t bold) {
  TExportFont font;
  font.SetName(name);
  font.SetSize(size);
  font.GetStyle().Bold = bold;
  return font;
}

// The workbook's Arial 10 stands first; Add finds an equal entry, AddNew keeps duplicates.
TEST(FontList, AddFindsEqualFontsAndAddNewKeepsDuplicates) {
  TExportFontList fonts;
  EXPECT_EQ(Narrow(fonts.GetItem(0)->GetKeyString()), "10;0;0;0;0;0;536870911;Arial");
  EXPECT_EQ(fonts.GetItem(1), nullptr);
  EXPECT_EQ(fonts.GetItem(-1), nullptr);
  EXPECT_EQ(fonts.Add(TExportFontList::DefaultFont()), 0);
  TExportFont bold = MakeFont(u"Arial", 10, 1);
  EXPECT_EQ(fonts.Add(bold), 1);
  EXPECT_NE(fonts.GetItem(1), &bold);  // the caller keeps its font
  EXPECT_EQ(fonts.AddNew(std::make_unique<TExportFont>(bold)), 2);
  EXPECT_EQ(fonts.Add(bold), 1);  // still the first entry with the key
}

// An importer storing the file's fonts or border sets in order gets the file's positions: the
// first one read replaces the default entry, unless an Add made that entry permanent.
TEST(FontList, ClearLeavesTheDefaultEntryWhichTheFirstReadOneReplaces) {
  TExportFontList fonts;
  fonts.Add(MakeFont(u"Tahoma", 8, 0));
  fonts.Clear();
  ASSERT_EQ(fonts.Count(), 1);
  EXPECT_EQ(*fonts.GetItem(0), TExportFontList::DefaultFont());
  EXPECT_EQ(fonts.AddNew(std::make_unique<TExportFont>(MakeFont(u"Calibri", 11, 0))), 0);
  EXPECT_EQ(fonts.AddNew(std::make_unique<TExportFont>(MakeFont(u"Calibri", 11, 0))), 1);
  TExportFontList added;
  added.Clear();
  EXPECT_EQ(added.Add(TExportFontList::DefaultFont()), 0);
  EXPECT_EQ(added.AddNew(std::make_unique<TExportFont>(MakeFont(u"Calibri", 11, 0))), 1);
  TExportCellBordersList borders;
  TExportCellBorders thin;
  thin.GetBorder(TExportCellBorders::bLeft) = TExportCellBorder(2, 0);
  EXPECT_EQ(borders.Add(thin), 1);
  EXPECT_EQ(borders.Add(TExportCellBorders()), 0);
  borders.Clear();
  EXPECT_EQ(borders.AddNew(std::make_unique<TExportCellBorders>()), 0);
  EXPECT_EQ(borders.AddNew(std::make_unique<TExportCellBorders>()), 1);
  EXPECT_EQ(borders.Count(), 2);
}

}  // namespace
}  // namespace workbook
