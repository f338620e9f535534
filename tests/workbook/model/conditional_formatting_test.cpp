#include <gtest/gtest.h>

#include "model_fixture.h"
#include "workbook/model/cell.h"
#include "workbook/model/conditional_formatting.h"

namespace workbook {
namespace {

class CondFormatTest : public test::SheetTest {
 protected:
  TExportCell* Cell(int col, int row) {
    return sheet->FindCreateCell(col, row, TCellClass::Empty, false);
  }
  TExportConditionalFormattingRule* Add(TExportCell* cell, std::uint8_t op) {
    return TExportConditionalFormattingRule::AddRule(cell->GetConditionalFormatting().Rules, op,
                                                     u"1", u"5");
  }
};

// Black and no colour must give different keys, or two formats would share one style.
TEST_F(CondFormatTest, KeysTellBlackFromNoColour) {
  auto* a = Add(Cell(0, 0), cfoEqual);
  a->FontColor = 0x0000FF;
  a->FontStyle.Bold = 1;
  EXPECT_EQ(a->GetKeyString(), u"#FF0000;1;0;0;0;0;;");
  auto* b = Add(Cell(0, 0), cfoBetween);
  b->FontColor = 0x000000;
  b->FillColor = 0xFFFFFF;
  EXPECT_EQ(b->GetKeyString(), u"#000000;0;0;0;0;0;#FFFFFF;");
}

TEST_F(CondFormatTest, OnlyCellsWithRulesCarryThemAndCopiesTakeThem) {
  TExportCell* plain = Cell(0, 0);
  EXPECT_EQ(plain->ConditionalFormattingIfAny(), nullptr);
  EXPECT_TRUE(plain->CanFreeAfterWrite());
  TExportCell* ruled = Cell(2, 4);
  Add(ruled, cfoLessThan)->FillColor = 0x000080;
  EXPECT_FALSE(ruled->CanFreeAfterWrite());  // the writer reads the rules after the rows
  plain->Assign(*ruled);
  ASSERT_NE(plain->ConditionalFormattingIfAny(), nullptr);
  EXPECT_EQ(plain->ConditionalFormattingIfAny()->GetKeyString(),
            ruled->ConditionalFormattingIfAny()->GetKeyString());
  plain->Assign(*Cell(5, 5));
  EXPECT_EQ(plain->ConditionalFormattingIfAny(), nullptr);
}

}  // namespace
}  // namespace workbook
