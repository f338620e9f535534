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

TEST(FontList, AddFindsEqualFontsAndAddNewKeepsDuplicates) {
  TExportFontList fonts;
  ASSERT_EQ(fonts.Count(), 1);
  EXPECT_EQ(Narrow(fonts.GetItem(0)->GetKeyString()), "10;0;0;0;0;0;536870911;Arial");
  EXPECT_EQ(fonts.GetItem(1), nullptr);
  EXPECT_EQ(fonts.GetItem(-1), nullptr);
  EXPECT_EQ(fonts.Add(TExportFontList::DefaultFont()), 0);
  TExportFont bold = MakeFont(u"Arial", 10, 1);
  EXPECT_EQ(fonts.Add(bold), 1);
  EXPECT_NE(fonts.GetItem(1), &bold);  // the caller keeps its font
  EXPECT_EQ(fonts.Add(MakeFont(u"Arial", 10, 1)), 1);
  EXPECT_EQ(fonts.Add(MakeFont(u"Arial", 11, 1)), 2);
  auto owned = std::make_unique<TExportFont>(bold);
  const TExportFont* stored = owned.get();
  EXPECT_EQ(fonts.AddNew(std::move(owned)), 3);
  EXPECT_EQ(fonts.GetItem(3), stored);
  // Add still finds the first entry with the key.
  EXPECT_EQ(fonts.Add(bold), 1);
  EXPECT_EQ(fonts.Count(), 4);
}

TEST(FontList, ClearLeavesTheDefaultFontWhichTheFirstReadFontReplaces) {
  TExportFontList fonts;
  fonts.Add(MakeFont(u"Tahoma", 8, 0));
  fonts.Clear();
  ASSERT_EQ(fonts.Count(), 1);
  EXPECT_EQ(*fonts.GetItem(0), TExportFontList::DefaultFont());
  // An importer storing the file's fonts in order gets the file's positions.
  EXPECT_EQ(fonts.AddNew(std::make_unique<TExportFont>(MakeFont(u"Calibri", 11, 0))), 0);
  EXPECT_EQ(fonts.AddNew(std::make_unique<TExportFont>(MakeFont(u"Calibri", 11, 0))), 1);
  EXPECT_EQ(fonts.Count(), 2);
  EXPECT_EQ(fonts.GetItem(0)->GetName(), u"Calibri");
}

TEST(FontList, AnAddAfterClearMakesTheDefaultEntryPermanent) {
  TExportFontList fonts;
  fonts.Clear();
  EXPECT_EQ(fonts.Add(TExportFontList::DefaultFont()), 0);
  EXPECT_EQ(fonts.AddNew(std::make_unique<TExportFont>(MakeFont(u"Calibri", 11, 0))), 1);
}

TEST(BordersList, StartsWithTheEmptySetAndKeepsItAfterClear) {
  TExportCellBordersList borders;
  ASSERT_EQ(borders.Count(), 1);
  EXPECT_EQ(*borders.GetItem(0), TExportCellBorders());
  TExportCellBorders thin;
  thin.GetBorder(TExportCellBorders::bLeft) = TExportCellBorder(2, 0);
  EXPECT_EQ(borders.Add(thin), 1);
  EXPECT_EQ(borders.Add(TExportCellBorders()), 0);
  borders.Clear();
  ASSERT_EQ(borders.Count(), 1);
  EXPECT_EQ(*borders.GetItem(0), TExportCellBorders());
  // Read sets in the file's order replace the default entry.
  EXPECT_EQ(borders.AddNew(std::make_unique<TExportCellBorders>()), 0);
  EXPECT_EQ(borders.AddNew(std::make_unique<TExportCellBorders>()), 1);
  EXPECT_EQ(borders.Add(TExportCellBorders()), 0);
  EXPECT_EQ(borders.Count(), 2);
}

}  // namespace
}  // namespace workbook
