#include "workbook/model/cols.h"

#include <gtest/gtest.h>

#include "model_fixture.h"
#include "workbook/core/exceptions.h"
#include "workbook/core/list_error.h"
#include "workbook/model/cell.h"

namespace workbook {
namespace {

class ColsTest : public test::SheetTest {};

TEST_F(ColsTest, GetColAppendsUpToTheIndexAndStopsAtTheSheetEdge) {
  EXPECT_EQ(sheet->GetCol(3)->GetIndex(), 3);
  EXPECT_EQ(sheet->Cols.Count(), 4);
  EXPECT_THROW(sheet->GetCol(-1), EListError);
  EXPECT_THROW(sheet->GetCol(16384), EWorkbookException);
  EXPECT_EQ(sheet->GetCol(16383)->GetIndex(), 16383);
  TExportCol* col;
  EXPECT_FALSE(sheet->FindCol(16384, col));
  // Outline levels are capped at seven.
  col = sheet->GetCol(0);
  col->SetOutlineLevel(9);
  EXPECT_EQ(col->OutlineLevel(), 7);
  col->SetOutlineLevel(-3);
  EXPECT_EQ(col->OutlineLevel(), 0);
}

TEST_F(ColsTest, StyleIsMadeFromTheSheetDefaultAndAssignFreesIt) {
  sheet->DefaultCellStyle->SetAlignment(TExportCellStyle::haRight);
  TExportCol* a = sheet->GetCol(0);
  TExportCol* b = sheet->GetCol(1);
  EXPECT_FALSE(a->HasStyle());
  EXPECT_EQ(a->GetStyle().GetAlignment(), TExportCellStyle::haRight);
  a->Width = 50;
  a->Hidden = true;
  b->Assign(*a);
  EXPECT_TRUE(b->HasStyle());
  EXPECT_EQ(b->Width, 50);
  EXPECT_TRUE(b->Hidden);
  TExportCol* c = sheet->GetCol(2);
  b->Assign(*c);
  EXPECT_FALSE(b->HasStyle());
}

TEST_F(ColsTest, NewCellTakesTheColumnStyleUnlessTheRowHasOne) {
  sheet->GetCol(1)->GetStyle().SetAlignment(TExportCellStyle::haCenter);
  TExportCell* plain = sheet->FindCreateCell(1, 0, TCellClass::String, false);
  EXPECT_EQ(plain->GetStyle().GetAlignment(), TExportCellStyle::haCenter);
  sheet->GetRow(1)->GetStyle().SetAlignment(TExportCellStyle::haRight);
  TExportCell* inStyledRow = sheet->FindCreateCell(1, 1, TCellClass::String, false);
  EXPECT_EQ(inStyledRow->GetStyle().GetAlignment(), TExportCellStyle::haRight);
}

TEST_F(ColsTest, UsedColumnsCountColumnsAndThePrintArea) {
  sheet->FindCreateCell(1, 0, TCellClass::String, false);
  EXPECT_EQ(sheet->GetUsedColCount(true), 2);
  sheet->GetCol(3);
  EXPECT_EQ(sheet->GetUsedColCount(true), 4);
  sheet->PageSettings.PrintArea.SetRange(2, 0, 5, 1);
  EXPECT_EQ(sheet->GetUsedColCount(true), 7);
  EXPECT_EQ(sheet->GetUsedColCount(false), 2);
}

TEST_F(ColsTest, AssignCopiesDefaultWidthAndColumns) {
  sheet->Cols.DefaultWidth = 33;
  sheet->GetCol(2)->Width = 12;
  TExportWorkSheet* other = book->AddWorkSheet(u"Copy");
  other->Assign(*sheet);
  EXPECT_DOUBLE_EQ(other->Cols.DefaultWidth, 33);
  ASSERT_EQ(other->Cols.Count(), 3);
  EXPECT_DOUBLE_EQ(other->Cols.GetItem(2)->Width, 12);
  EXPECT_EQ(other->GetUsedColCount(true), 3);
}

}  // namespace
}  // namespace workbook
