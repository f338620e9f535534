#include "workbook/model/cell_style.h"

#include <gtest/gtest.h>

#include <tuple>

#include "style_test_support.h"
#include "support/thrown.h"
#include "workbook/core/exceptions.h"
#include "workbook/core/list_error.h"
#include "workbook/model/cell_borders.h"
#include "workbook/model/cell_borders_list.h"
#include "workbook/model/font.h"
#include "workbook/model/font_list.h"

namespace workbook {
namespace {

using test::Narrow;
using test::TestWorkbook;

// The model holds a style per cell; it must stay small.
static_assert(sizeof(TExportCellStyle) <= 32);

class CellStyle : public ::testing::Test {
 protected:
  TestWorkbook book;
};

TEST_F(CellStyle, NewStyleIsTopAlignedClearedIsDefaultAlignedAndNoneWithoutWorkbook) {
  EXPECT_EQ(test_support::Thrown<EWorkbookException>([] { TExportCellStyle style(nullptr); }),
            "TExportCellStyle.Create: aParent can't be nil");
  TExportCellStyle style(&book);
  EXPECT_EQ(Narrow(style.GetKeyString()), "0;0;1;0;536870911;0;0;0;0;1");
  style.SetAlignment(TExportCellStyle::haRight);
  style.GetFontForWrite().SetSize(20);
  style.Clear();
  EXPECT_EQ(Narrow(style.GetKeyString()), "0;0;0;0;536870911;0;0;0;0;1");
}

TEST_F(CellStyle, SettersKeepAlignmentAndDirectionConsistent) {
  TExportCellStyle style(&book);
  style.SetIndent(2);
  EXPECT_EQ(style.GetAlignment(), TExportCellStyle::haLeft);
  style.SetAlignment(TExportCellStyle::haRight);
  style.SetIndent(3);
  EXPECT_EQ(style.GetAlignment(), TExportCellStyle::haRight);

  style.SetVerticalText(1);
  style.SetRotation(45);
  EXPECT_EQ(style.GetVerticalText(), 0);
  style.SetVerticalText(1);
  EXPECT_EQ(style.GetRotation(), 0);
  style.SetRotation(0);
  EXPECT_EQ(style.GetVerticalText(), 1);
}

TEST_F(CellStyle, EqualPrivateCopiesShareRegistryEntriesAndFreedOnesAreDropped) {
  TExportCellStyle a(&book);
  TExportCellStyle b(&book);
  a.GetFontForWrite().SetName(u"Calibri");
  b.GetFontForWrite().SetName(u"Calibri");
  b.GetBordersForWrite();  // a private copy equal to the empty set
  EXPECT_EQ(a.GetKeyString(), b.GetKeyString());
  EXPECT_FALSE(a.HasOwnFont());
  EXPECT_FALSE(b.HasOwnBorders());
  EXPECT_EQ(book.FontList.Count(), 2);
  EXPECT_EQ(book.BordersList.Count(), 1);
  TExportCellStyle style(&book);
  style.GetFontForWrite().SetSize(30);
  style.FreeOwnFont();
  EXPECT_EQ(style.GetFont().GetSize(), 10);
  EXPECT_EQ(book.FontList.Count(), 2);
}

TEST_F(CellStyle, IndexesOutsideTheRegistriesFallBackToDefaults) {
  TExportCellBorders thick;
  thick.GetBorder(0).Style = 6;
  book.BordersList.Add(thick);
  for (int index : {-1, 2, 1000000}) {
    TExportCellStyle style(&book);
    style.SetFontIndex(index);
    style.SetBordersIndex(index);
    EXPECT_EQ(style.GetFont(), TExportFontList::DefaultFont()) << index;
    EXPECT_EQ(style.GetBorders(), TExportCellBorders()) << index;
    // Writing starts from the same fallback.
    style.GetFontForWrite().SetSize(12);
    EXPECT_EQ(style.GetFont().GetName(), u"Arial");
  }
  // Setting an index drops a private copy.
  TExportFont big;
  big.SetSize(20);
  const int index = book.FontList.Add(big);
  TExportCellStyle indexed(&book);
  indexed.GetFontForWrite().SetSize(8);
  indexed.SetFontIndex(index);
  EXPECT_EQ(indexed.GetFont().GetSize(), 20);
}

TEST_F(CellStyle, CopiesWithinTheWorkbookShareIndexesButChangeApart) {
  TExportCellStyle source(&book);
  source.SetVAlignment(TExportCellStyle::vaBottom);
  source.SetRotation(30);
  source.GetFontForWrite().GetStyle().Italic = 1;
  source.Consolidate();
  TExportCellStyle target(&book);
  target.GetFontForWrite().SetSize(40);
  target.Assign(source);
  EXPECT_FALSE(target.HasOwnFont());
  EXPECT_EQ(target.GetKeyString(), source.GetKeyString());
  // Copies and assigned copies change apart, the registry entries untouched.
  TExportCellStyle copy(source);
  copy.GetFontForWrite().SetSize(14);
  copy.GetBordersForWrite().GetBorder(2).Style = 4;
  TExportCellStyle clone(&book);
  clone = copy;
  copy.GetBordersForWrite().GetBorder(2).Style = 5;
  EXPECT_EQ(clone.GetBorders().GetBorder(2).Style, 4);
  EXPECT_EQ(source.GetFont().GetSize(), 10);
  EXPECT_EQ(source.GetBorders(), TExportCellBorders());
  EXPECT_EQ(copy.GetFont().GetStyle().Italic, 1);
  EXPECT_EQ(book.FontList.GetItem(source.GetFontIndex())->GetSize(), 10);
}

TEST_F(CellStyle, AssignFromAnotherWorkbookCopiesValues) {
  TestWorkbook other;
  TExportCellStyle source(&other);
  source.GetFontForWrite().SetName(u"Courier");
  source.GetBordersForWrite().GetBorder(TExportCellBorders::bLeft) = TExportCellBorder(3, 0xFF);
  source.Consolidate();
  TExportCellStyle target(&book);
  target.Assign(source);
  EXPECT_EQ(target.GetParent(), &book);
  EXPECT_TRUE(target.HasOwnFont());
  target.Consolidate();
  EXPECT_EQ(*book.FontList.GetItem(target.GetFontIndex()), source.GetFont());
  EXPECT_EQ(*book.BordersList.GetItem(target.GetBordersIndex()), source.GetBorders());
}

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
  // The border sets' registry is the same template; its default entry is the empty set.
  TExportCellBordersList borders;
  EXPECT_EQ(borders.Add(TExportCellBorders()), 0);
}

}  // namespace
}  // namespace workbook
