// Styles inside a real workbook: the cell's number format in the key, and copies that stay apart.
#include <gtest/gtest.h>

#include "model_fixture.h"
#include "style_test_support.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"

namespace workbook {
namespace {

class CellStyleWorkbookTest : public test::SheetTest {};

TEST_F(CellStyleWorkbookTest, KeyEndsWithTheCellsFormatCode) {
  TExportRow* row = sheet->GetRow(0);
  TExportCell* number = row->AddCellNumber(1.5, 2);
  TExportCell* text = row->AddCellString(u"x");
  number->SetFormatCode(u"0.00", false);
  const std::u16string numberKey = number->GetStyle().GetKeyString(number);
  ASSERT_GE(numberKey.size(), 4u);
  EXPECT_EQ(test::Narrow(numberKey.substr(numberKey.size() - 4)), "0.00");
  EXPECT_EQ(text->GetStyle().GetKeyString(text),
            text->GetStyle().GetKeyString(static_cast<const TExportCell*>(nullptr)) +
                text->GetFormatCode());
}

TEST_F(CellStyleWorkbookTest, ChangingOneCellsFontLeavesTheOthers) {
  TExportRow* row = sheet->GetRow(0);
  TExportCell* first = row->AddCellString(u"a");
  TExportCell* second = row->AddCellString(u"b");
  first->GetStyle().GetFontForWrite().GetStyle().Bold = 1;
  first->ConsolidateStyle();
  EXPECT_EQ(first->GetFont().GetStyle().Bold, 1);
  EXPECT_NE(second->GetFont().GetStyle().Bold, 1);
  EXPECT_EQ(&first->GetStyle().GetFont(), book->FontList.GetItem(first->GetStyle().GetFontIndex()));
}

}  // namespace
}  // namespace workbook
