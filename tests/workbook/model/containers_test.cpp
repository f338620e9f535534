#include <gtest/gtest.h>

#include "model_fixture.h"
#include "support/thrown.h"
#include "workbook/core/exceptions.h"
#include "workbook/core/list_error.h"
#include "workbook/model/cell_empty.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/limits.h"

namespace workbook {
namespace {

class ContainersTest : public test::SheetTest {};

TEST_F(ContainersTest, GetRowAndFindCreateCellMakeRowsAndCellsUpToTheIndexFindRowNever) {
  sheet->GetRow(1);
  TExportRow* row;
  EXPECT_FALSE(sheet->FindRow(5, row));
  EXPECT_EQ(sheet->Rows.Count(), 2);
  EXPECT_EQ(sheet->Rows.GetRow(5)->GetWorkbook(), book.get());
  EXPECT_EQ(sheet->Rows.Count(), 6);
  EXPECT_TRUE(sheet->FindRow(3, row));
  EXPECT_EQ(row->GetIndex(), 3);
  EXPECT_THROW(sheet->Rows.GetRow(-1), EListError);
  row = sheet->GetRow(0);
  TExportCell* cell = row->FindCreateCell(3, TCellClass::Number, false);
  EXPECT_EQ(cell->CellClass(), TCellClass::Number);
  ASSERT_EQ(row->Cells.Count(), 4);
  EXPECT_EQ(row->Cells[2]->CellClass(), TCellClass::Empty);
  EXPECT_EQ(row->Cells[2]->GetColIndex(), 2);
  EXPECT_EQ(row->FindCreateCell(3, TCellClass::String, false), cell);
  EXPECT_EQ(row->FindCreateCell(3, TCellClass::String, true)->CellClass(), TCellClass::String);
  EXPECT_EQ(test_support::Thrown<EWorkbookException>(
                [&] { sheet->FindCreateCell(0, -1, TCellClass::Empty, false); }),
            "TExportWorkSheet.FindCreateCell: invalid parameters");
}

TEST_F(ContainersTest, PositionsBeyondTheSheetAreRefused) {
  EXPECT_THROW(sheet->GetRow(kMaxSheetRows), EWorkbookException);
  EXPECT_THROW(sheet->FindCreateCell(kMaxSheetCols, 0, TCellClass::String, false),
               EWorkbookException);
  EXPECT_THROW(sheet->FindCreateCell(0, 2000000000, TCellClass::String, false), EWorkbookException);
  TExportCell* last =
      sheet->FindCreateCell(kMaxSheetCols - 1, kMaxSheetRows - 1, TCellClass::String, false);
  EXPECT_EQ(last->GetRowIndex(), kMaxSheetRows - 1);
  EXPECT_THROW(last->GetRow()->AddCellEmpty(), EWorkbookException);
  EXPECT_THROW(sheet->AddRow(), EWorkbookException);
  // The far cell left the rows before it untouched; reading one makes it, empty, in its place.
  last->SetValueText(u"x");
  EXPECT_EQ(sheet->Rows.Count(), kMaxSheetRows);
  EXPECT_EQ(sheet->Rows[500000]->Cells.Count(), 0);
  EXPECT_EQ(sheet->Rows[kMaxSheetRows - 1]->Cells[kMaxSheetCols - 1]->GetValueText(), u"x");
}

TEST_F(ContainersTest, TrailingEmptyCellsAndRowsGoUpToTheFirstValueOrSpan) {
  TExportRow* row = sheet->GetRow(0);
  row->AddCellString(u"a");
  row->AddCellEmpty();
  row->AddCellString(u"");
  row->AddCell(TCellClass::Number);
  row->Cells.PadTo(8);
  row->DeleteTrailingEmptyCells();
  EXPECT_EQ(row->Cells.Count(), 1);
  row = sheet->GetRow(1);
  row->AddCellString(u"a")->SetColSpan(3);
  row->DeleteTrailingEmptyCells();  // the span's cells stay
  EXPECT_EQ(row->Cells.Count(), 3);
  sheet->GetRow(4);
  sheet->DeleteTrailingEmptyRows();
  EXPECT_EQ(sheet->Rows.Count(), 2);
}

TEST_F(ContainersTest, SpansAreAtLeastOneAndPadTheRow) {
  TExportRow* row = sheet->GetRow(0);
  TExportCell* cell = row->AddCellString(u"x");
  cell->SetAutoWidth(true);
  cell->SetColSpan(3);
  EXPECT_EQ(row->Cells.Count(), 3);
  EXPECT_FALSE(cell->AutoWidth());
  cell->SetColSpan(0);
  EXPECT_EQ(cell->ColSpan(), 1);
  cell->SetColSpan(1 << 30);
  EXPECT_EQ(row->Cells.Count(), kMaxSheetCols);
}

TEST_F(ContainersTest, SpansEndAtTheSheetsLastRowAndColumn) {
  TExportCell* low =
      sheet->FindCreateCell(kMaxSheetCols - 3, kMaxSheetRows - 6, TCellClass::String, false);
  low->SetRowSpan(100);
  low->SetColSpan(100);
  EXPECT_EQ(low->RowSpan(), 6);
  EXPECT_EQ(low->ColSpan(), 3);
  TExportCell* top = sheet->FindCreateCell(1, 0, TCellClass::String, false);
  top->SetRowSpan(kMaxSheetRows);
  EXPECT_EQ(top->RowSpan(), kMaxSheetRows);
  // A row inserted above pushes the spans one row down: writers take them within the sheet.
  sheet->Rows.AddRow(0);
  EXPECT_EQ(top->RowSpanWithin(kMaxSheetRows), kMaxSheetRows - 1);
  EXPECT_EQ(low->RowSpanWithin(kMaxSheetRows), 5);
  EXPECT_EQ(low->RowSpanWithin(256), 1);
  EXPECT_EQ(low->ColSpanWithin(kMaxSheetCols), 3);
  EXPECT_EQ(low->ColSpanWithin(kMaxSheetCols - 2), 1);
}

TEST_F(ContainersTest, TransformKeepsThePlaceAndTheNeighbours) {
  TExportRow* row = sheet->GetRow(0);
  row->AddCellString(u"left");
  auto* number = static_cast<TExportCellNumber*>(row->AddCell(TCellClass::Number));
  number->SetFormula(u"A1*2");
  number->SetValue(42);
  number->SetFormatCode(u"GENERAL", false);
  number->GetStyle().SetIndent(2);
  TExportCell* right = row->AddCellString(u"right");

  TExportCell* text = number->Transform(TCellClass::String);
  EXPECT_EQ(row->Cells.Count(), 3);
  EXPECT_EQ(row->Cells[1], text);
  EXPECT_EQ(right->GetColIndex(), 2);
  EXPECT_EQ(text->GetValueText(), u"42");
  EXPECT_EQ(text->GetFormula(), u"=A1*2");
  EXPECT_EQ(text->FormatCode(), u"");  // "general" is no format worth keeping
  EXPECT_EQ(text->GetStyle().GetIndent(), 2);
  EXPECT_EQ(text->Transform(TCellClass::String), text);
  // Texts become numbers, dates and texts again by value.
  TExportCell* date =
      row->AddCellString(u"12.5")->Transform(TCellClass::Number)->Transform(TCellClass::DateTime);
  EXPECT_EQ(date->Transform(TCellClass::String)->GetValueText(), u"1900-01-11 12:00:00");
}

// A cell on the sheet's default look (as readers leave most cells) stays on it when its class
// changes, not taking the new class's alignment; a copied text cell keeps its table flag.
TEST_F(ContainersTest, CopiesKeepTheDefaultLookAndTheTableFlag) {
  TExportRow* row = sheet->GetRow(0);
  TExportCell* text = row->AddCellString(u"5");
  text->UseSheetDefaultStyle();
  TExportCell* number = text->Transform(TCellClass::Number);
  EXPECT_FALSE(number->HasStyle());
  EXPECT_EQ(number->GetStyle().GetAlignment(), TExportCellStyle::haGeneral);
  EXPECT_EQ(row->AddCellNumber(5, 0)->GetStyle().GetAlignment(), TExportCellStyle::haRight);

  for (const bool shared : {false, true}) {
    TExportCellString* source = row->AddCellString(u"x");
    source->SetSharedString(shared);
    TExportCellString* copy = row->AddCellString(u"");
    copy->Assign(*source);
    EXPECT_EQ(copy->SharedString(), shared);
  }
}

TEST_F(ContainersTest, TransformOutsideARowIsRefused) {
  TOwnedPtr<TExportCell> loose = NewExportCell(TCellClass::Number);
  EXPECT_EQ(test_support::Thrown<EWorkbookException>([&] { loose->Transform(TCellClass::String); }),
            "TExportCell.Transform: The cell is not a part of a row.");
}

TEST_F(ContainersTest, TypingIntoAnEmptyCellReplacesItAndDeletingARowRenumbers) {
  TExportRow* row = sheet->GetRow(0);
  row->Cells.PadTo(2);
  row->Cells[1]->SetValueText(u"typed");
  EXPECT_EQ(row->Cells[1]->CellClass(), TCellClass::String);
  EXPECT_EQ(row->Cells.Count(), 2);
  sheet->GetRow(1)->AddCellString(u"b");
  TExportRow* third = sheet->GetRow(2);
  third->AddCellString(u"c");
  sheet->Rows.Delete(0);
  EXPECT_EQ(third->Cells[0]->GetRowIndex(), 1);
  EXPECT_EQ(sheet->Rows[0]->Cells[0]->GetValueText(), u"b");
}

TEST_F(ContainersTest, RowHeightModesAndOutlineLevels) {
  TExportRow* row = sheet->GetRow(0);
  row->SetHeightMode(1);
  row->SetHeight(20);  // a height of its own ends the automatic mode
  EXPECT_EQ(row->HeightMode, 0);
  row->SetHeightMode(2);
  EXPECT_EQ(row->Height, -1.0);
  row->SetOutlineLevel(12);
  EXPECT_EQ(row->OutlineLevel, 7);
}

TEST_F(ContainersTest, SheetCopyTakesRowsColumnsViewAndDefaults) {
  sheet->DefaultNumberBlankZero = true;
  sheet->Cols.DefaultWidth = 33;
  sheet->GetCol(2)->Width = 12;
  sheet->GetRow(1)->AddCellNumber(5, 1)->SetColSpan(2);
  sheet->WindowSettings.Split.Row = 3;
  sheet->WindowSettings.AutoFilter.SetRange(0, 0, 2, 2);
  sheet->WindowSettings.Zoom = 50;
  TExportWorkSheet* copy = book->AddWorkSheet(u"Copy");
  copy->Assign(*sheet);
  // The view takes the split and the filter, now on the copy, but not the zoom.
  EXPECT_EQ(copy->WindowSettings.Split.Row, 3);
  EXPECT_EQ(copy->WindowSettings.AutoFilter.WorkSheet, copy);
  EXPECT_EQ(copy->WindowSettings.Zoom, 100);
  EXPECT_EQ(copy->Name, u"Copy");  // same workbook: the name stays
  EXPECT_TRUE(copy->DefaultNumberBlankZero);
  EXPECT_DOUBLE_EQ(copy->Cols.DefaultWidth, 33);
  ASSERT_EQ(copy->Cols.Count(), 3);
  EXPECT_DOUBLE_EQ(copy->Cols.GetItem(2)->Width, 12);
  ASSERT_EQ(copy->Rows.Count(), 2);
  TExportCell* cell = copy->Rows[1]->Cells[0];
  EXPECT_EQ(cell->GetValueText(), u"5");
  EXPECT_EQ(cell->ColSpan(), 2);
  EXPECT_EQ(static_cast<TExportCellNumber*>(cell)->Decimals, 1);
}

TEST_F(ContainersTest, ACellTakenOutOfItsWorkbookOutlivesIt) {
  TExportRow* row = sheet->GetRow(0);
  for (int i = 0; i < 3; ++i) row->AddCellNumber(i, 2);
  TOwnedPtr<TExportCell> taken = row->Cells.Extract(row->Cells[1]);
  book.reset();
  EXPECT_EQ(taken->GetValueText(), u"1");
  taken.reset();
}

// A row's cell list lives in the workbook's blocks while it can: a row taken out of the
// workbook keeps its cells, and its list grows and shrinks on the heap once the workbook is gone.
TEST_F(ContainersTest, ARowTakenOutOfItsWorkbookKeepsAndGrowsItsCells) {
  sheet->GetRow(0)->AddCellString(u"first row");
  TExportRow* row = sheet->GetRow(1);
  for (int i = 0; i < 40; ++i) row->AddCellNumber(i, 0);
  sheet->GetRow(2);  // the row before is done: its list is compacted
  for (int i = 39; i >= 3; --i) row->Cells.Delete(i);
  row->Cells.Compact();
  TOwnedPtr<TExportRow> taken = sheet->Rows.Extract(row);
  book.reset();
  row->AddCellString(u"after");
  row->Cells.Compact();
  ASSERT_EQ(row->Cells.Count(), 4);
  EXPECT_EQ(row->Cells[2]->GetValueText(), u"2");
  EXPECT_EQ(row->Cells[3]->GetValueText(), u"after");
  EXPECT_EQ(row->Cells[3]->GetRow(), row);
}

}  // namespace
}  // namespace workbook
