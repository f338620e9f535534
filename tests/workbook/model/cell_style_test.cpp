#include "workbook/model/cell_style.h"

#include <gtest/gtest.h>

#include "style_test_support.h"
#include "workbook/core/exceptions.h"
#include "workbook/core/thrown.h"

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
  EXPECT_EQ(test::Thrown<EWorkbookException>([] { TExportCellStyle style(nullptr); }),
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
  style.SetAlignment(TExportCellStyle::haGeneral);
  style.SetIndent(0);
  EXPECT_EQ(style.GetAlignment(), TExportCellStyle::haGeneral);

  style.SetVerticalText(1);
  style.SetRotation(45);
  EXPECT_EQ(style.GetVerticalText(), 0);
  EXPECT_EQ(style.GetRotation(), 45);
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

}  // namespace
}  // namespace workbook
