#include <gtest/gtest.h>

#include "style_test_support.h"
#include "workbook/model/cell_borders_list.h"
#include "workbook/model/font_list.h"

namespace workbook {
namespace {

using test::Narrow;

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
