#include "workbook/model/named_cells.h"

#include <gtest/gtest.h>

#include <array>

#include "model_fixture.h"
#include "support/thrown.h"
#include "workbook/core/exceptions.h"
#include "workbook/model/cell.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cols.h"
#include "workbook/model/custom_exporter.h"
#include "workbook/model/worksheet.h"

namespace workbook {
namespace {

class NamedCellsTest : public test::SheetTest {
 protected:
  TExportNamedCells& names() { return book->NamedCells; }
  std::string AddError(const std::u16string& name) {
    return test_support::Thrown<EWorkbookException>(
        [&] { names().AddCellRange(name, sheet, 0, 0); });
  }
};

TEST_F(NamedCellsTest, InvalidAndDuplicateNamesRaise) {
  // ASCII letters, digits and "_" only.
  for (const char16_t* name : {u"Sum-1", u"\u010Ciastka", u"My Name", u"a.b"})
    EXPECT_EQ(AddError(name), "TExportNamedCells.AddCellRangeSpan: Name is not valid.");
  EXPECT_EQ(AddError(u"2024_total"), "no exception");
  EXPECT_EQ(AddError(u"Total"), "no exception");
  EXPECT_EQ(AddError(u"Total"), "TExportNamedCells.AddCellRangeSpan: Name is already defined.");
  // Names compare without regard to letter case, as spreadsheets do.
  EXPECT_EQ(AddError(u"TOTAL"), "TExportNamedCells.AddCellRangeSpan: Name is already defined.");
  EXPECT_EQ(names().Count(), 2);
  // TryAdd skips the validity test but not the duplicate one.
  EXPECT_TRUE(names().TryAddCellRangeSpan(u"My.Name", sheet, 1, 1, 0, 0));
  EXPECT_FALSE(names().TryAddCellRange(u"my.name", sheet, 3, 3, 1, 1));
  EXPECT_TRUE(names().TryAddCellRange(u"Block", sheet, 3, 4, 1, 2));
  const TExportRange* range;
  ASSERT_TRUE(names().FindName(u"Block", range));
  EXPECT_EQ((std::array{range->ColCount, range->RowCount}), (std::array{3, 3}));
}

TEST_F(NamedCellsTest, ListIsSortedAndPositionsFollowIt) {
  EXPECT_EQ(names().AddCellRange(u"beta", sheet, 0, 0), 0);
  EXPECT_EQ(names().AddCellRange(u"Alpha", sheet, 1, 1), 0);
  EXPECT_EQ(names().AddCellRangeSpan(u"Gamma", sheet, 2, 3, 4, 5), 2);
  std::vector<std::u16string> order;
  names().ForEach([&](const std::u16string& name, const TExportRange&) { order.push_back(name); });
  EXPECT_EQ(order, (std::vector<std::u16string>{u"Alpha", u"beta", u"Gamma"}));
  const TExportRange* range;
  ASSERT_TRUE(names().FindName(u"gamma", range));
  EXPECT_EQ((std::array{range->Col, range->Row, range->ColCount, range->RowCount}),
            (std::array{5, 4, 3, 2}));
  std::u16string found;
  EXPECT_TRUE(names().FindRangeName(sheet, 5, 4, 3, 2, found));
  EXPECT_EQ(found, u"Gamma");
  EXPECT_FALSE(names().FindRangeName(sheet, 5, 4, 3, 3, found));
  EXPECT_TRUE(names().Delete(u"BETA"));
  EXPECT_FALSE(names().Delete(u"beta"));
}

TEST_F(NamedCellsTest, CellNameIncludesItsSpans) {
  TExportCell* cell = sheet->FindCreateCell(1, 1, TCellClass::String, false);
  cell->SetColSpan(2);
  names().AddCellRangeSpan(u"Merged", sheet, 1, 2, 1, 1);
  std::u16string found;
  EXPECT_TRUE(names().FindCellName(*cell, found));
  EXPECT_EQ(found, u"Merged");
  names().AddCell(u"Single", *sheet->FindCreateCell(0, 3, TCellClass::Number, false));
  const TExportRange* range;
  ASSERT_TRUE(names().FindName(u"Single", range));
  EXPECT_EQ(range->Row, 3);
}

TEST_F(NamedCellsTest, CopySheetNamesBetweenWorkbooksAndDropThemWithTheSheet) {
  names().AddCellRangeSpan(u"Block", sheet, 2, 2, 0, 0);
  names().AddCellRange(u"One", sheet, 5, 5);
  TExportWorkSheet* other = book->AddWorkSheet(u"Other");
  names().AddCellRange(u"Drop", other, 0, 0);
  book->WorkSheets.Delete(other->GetIndex());
  TWorkbook target;
  TExportWorkSheet* copy = target.AddWorkSheet(u"Copy");
  target.NamedCells.AddCellRangeSpan(u"Stale", copy, 3, 3, 0, 0);
  target.NamedCells.AddCellRange(u"StaleOne", copy, 0, 0);
  target.NamedCells.CopySheetNames(sheet, copy, false);
  const TExportRange* range;
  // Within one workbook a copied sheet keeps the names where they are.
  TExportWorkSheet* sibling = book->AddWorkSheet(u"Copy");
  EXPECT_NO_THROW(sibling->Assign(*sheet));
  ASSERT_TRUE(names().FindName(u"Block", range));
  EXPECT_EQ(range->WorkSheet, sheet);
  EXPECT_FALSE(names().FindName(u"Drop", range));
  EXPECT_FALSE(target.NamedCells.FindName(u"Stale", range));
  EXPECT_TRUE(target.NamedCells.FindName(u"StaleOne", range));
  EXPECT_FALSE(target.NamedCells.FindName(u"One", range));
  ASSERT_TRUE(target.NamedCells.FindName(u"Block", range));
  EXPECT_EQ(range->WorkSheet, copy);
}

// A cell's name is the defined name of its area; it follows the cell's copies into another
// workbook, stays with its position when the cell changes class, and goes when the cell leaves
// its row.
TEST_F(NamedCellsTest, CellNamesAreSetCopiedAndDroppedWithTheCell) {
  TExportCell* cell = sheet->FindCreateCell(2, 1, TCellClass::Number, false);
  EXPECT_EQ(cell->GetName(), u"");
  cell->SetName(u"Rate");
  EXPECT_EQ(cell->GetName(), u"Rate");
  cell->SetName(u"Vat");
  const TExportRange* range;
  EXPECT_FALSE(names().FindName(u"Rate", range));
  ASSERT_TRUE(names().FindName(u"Vat", range));
  EXPECT_EQ((std::array{range->Col, range->Row, range->ColCount}), (std::array{2, 1, 1}));

  // A refused name leaves the current one.
  names().AddCellRange(u"Taken", sheet, 0, 0);
  for (const char16_t* refused : {u"Taken", u"no way"})
    EXPECT_NE(test_support::Thrown<EWorkbookException>([&] { cell->SetName(refused); }),
              "no exception");
  EXPECT_EQ(cell->GetName(), u"Vat");

  // Same workbook: the name means one area and stays where it is.
  TExportCell* other = sheet->FindCreateCell(4, 4, TCellClass::Number, false);
  other->Assign(*cell);
  EXPECT_EQ(other->GetName(), u"");
  // Another workbook: the copy takes the name.
  TWorkbook target;
  TExportCell* copy = target.AddWorkSheet(u"T")->FindCreateCell(0, 0, TCellClass::Number, false);
  copy->Assign(*cell);
  EXPECT_EQ(copy->GetName(), u"Vat");

  cell = cell->Transform(TCellClass::String);
  EXPECT_EQ(cell->GetName(), u"Vat");
  sheet->GetRow(1)->Cells.Delete(2);
  EXPECT_FALSE(names().FindName(u"Vat", range));
  EXPECT_TRUE(names().FindName(u"Taken", range));

  // An empty name only drops; a cell outside a workbook has none and takes none.
  other->SetName(u"Spare");
  other->SetName(u"");
  EXPECT_FALSE(names().FindName(u"Spare", range));
  TOwnedPtr<TExportCell> loose = TOwnedListObject::Create<TExportCellNumber>();
  EXPECT_EQ(loose->GetName(), u"");
  EXPECT_EQ(test_support::Thrown<EWorkbookException>([&] { loose->SetName(u"Loose"); }),
            "TExportCell.SetName: The cell is not a part of a workbook.");
}

// A row that goes takes the names of its cells (spans included) with it: none passes to the
// cell that moves up into its place. Names of other areas stay.
TEST_F(NamedCellsTest, DeletedRowsTakeTheirCellsNames) {
  sheet->FindCreateCell(1, 1, TCellClass::Number, false)->SetName(u"Rate");
  TExportCell* tall = sheet->FindCreateCell(3, 1, TCellClass::String, false);
  tall->SetRowSpan(2);
  tall->SetName(u"Tall");
  sheet->FindCreateCell(1, 2, TCellClass::Number, false);
  names().AddCellRangeSpan(u"Block", sheet, 2, 2, 1, 0);
  names().AddCellRange(u"Gap", sheet, 1, 0);
  TExportWorkSheet* other = book->AddWorkSheet(u"Other");
  other->FindCreateCell(1, 1, TCellClass::Number, false)->SetName(u"Elsewhere");

  sheet->Rows.Delete(1);
  const TExportRange* range;
  for (const char16_t* gone : {u"Rate", u"Tall"})
    EXPECT_FALSE(names().FindName(gone, range)) << std::string(gone, gone + 4);
  for (const char16_t* kept : {u"Block", u"Gap", u"Elsewhere"})
    EXPECT_TRUE(names().FindName(kept, range)) << std::string(kept, kept + 4);
  EXPECT_EQ(sheet->FindCreateCell(1, 1, TCellClass::Number, false)->GetName(), u"");

  // A sheet's rows replaced by a copy within one workbook: the old cells' names go, the source
  // keeps its own.
  other->FindCreateCell(0, 0, TCellClass::Number, false)->SetName(u"Old");
  other->Assign(*sheet);
  EXPECT_FALSE(names().FindName(u"Old", range));
  EXPECT_FALSE(names().FindName(u"Elsewhere", range));
  ASSERT_TRUE(names().FindName(u"Block", range));
  EXPECT_EQ(range->WorkSheet, sheet);
  EXPECT_EQ(other->FindCreateCell(1, 1, TCellClass::Number, false)->GetName(), u"");
}

// A spanned cell's name covers its span; the column of a cell is made on demand.
TEST_F(NamedCellsTest, ACellsNameCoversItsSpanAndItsColumnIsMadeOnDemand) {
  TExportCell* cell = sheet->FindCreateCell(1, 0, TCellClass::String, false);
  cell->SetColSpan(3);
  cell->SetName(u"Wide");
  const TExportRange* range;
  ASSERT_TRUE(names().FindName(u"Wide", range));
  EXPECT_EQ(range->ColCount, 3);
  EXPECT_EQ(sheet->Cols.FindCol(1), nullptr);
  EXPECT_EQ(cell->GetColWidth(), TCustomExporter::GetDefaultColWidth(*sheet));
  TExportCol* col = cell->GetCol();
  ASSERT_NE(col, nullptr);
  EXPECT_EQ(sheet->Cols.FindCol(1), col);
  col->Width = 120;
  EXPECT_EQ(cell->GetColWidth(), 120);
}

}  // namespace
}  // namespace workbook
