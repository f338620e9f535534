#include "workbook/model/cols.h"

#include <gtest/gtest.h>

#include "model_fixture.h"
#include "workbook/core/exceptions.h"
#include "workbook/core/list_error.h"
#include "workbook/model/cell_string.h"

namespace workbook {
namespace {

class ColsTest : public test::SheetTest {};

TEST_F(ColsTest, GetColAppendsUpToTheIndexAndStopsAtTheSheetEdge) {
  EXPECT_EQ(sheet->GetCol(3)->GetIndex(), 3);
  EXPECT_THROW(sheet->GetCol(-1), EListError);
  EXPECT_THROW(sheet->GetCol(16384), EWorkbookException);
  EXPECT_EQ(sheet->GetCol(16383)->GetIndex(), 16383);
  // Outline levels are capped at seven.
  TExportCol* col = sheet->GetCol(0);
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

TEST_F(ColsTest, UsedColumnsCountSpansColumnsAndThePrintArea) {
  sheet->GetRow(0)->AddCellString(u"a")->SetColSpan(2);
  sheet->GetRow(3)->FindCreateCell(1, TCellClass::String, false)->SetColSpan(2);
  sheet->GetRow(3)->Cells.Delete(2);  // the last cell's span still counts
  EXPECT_EQ(sheet->GetUsedColCount(false), 2);
  EXPECT_EQ(sheet->GetUsedColCount(true), 3);
  sheet->GetCol(3);
  EXPECT_EQ(sheet->GetUsedColCount(true), 4);
  sheet->PageSettings.PrintArea.SetRange(2, 0, 5, 1);
  EXPECT_EQ(sheet->GetUsedColCount(true), 7);
  EXPECT_EQ(sheet->GetUsedColCount(false), 2);
}

}  // namespace
}  // namespace workbook
