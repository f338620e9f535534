#include <gtest/gtest.h>

#include "model_fixture.h"

#include "workbook/core/exceptions.h"
#include "workbook/model/cell.h"
#include "workbook/model/conditional_formatting.h"

namespace workbook {
namespace {

constexpr TColor kMaroon = 0x000080;  // palette entry 16 (RGB 800000)

class CondFormatTest : public test::SheetTest {
 protected:
  void SetUp() override {
    SheetTest::SetUp();
    cell_ = sheet->FindCreateCell(2, 4, TCellClass::Empty, false);
  }
  TExportConditionalFormatting& Formatting() { return cell_->GetConditionalFormatting(); }
  TExportConditionalFormattingRule* Add(std::uint8_t op, const char16_t* f1,
                                        const char16_t* f2 = u"") {
    return TExportConditionalFormattingRule::AddRule(Formatting().Rules, op, f1, f2);
  }
  TExportCell* cell_ = nullptr;
};

TEST_F(CondFormatTest, KeysTellFormatsApartFromNoColour) {
  auto* a = Add(cfoEqual, u"1");
  a->FontColor = 0x0000FF;
  a->FontStyle.Bold = 1;
  EXPECT_EQ(a->GetKeyString(), u"#FF0000;1;0;0;0;0;;");
  EXPECT_EQ(a->GetIdentityKeyString(), u"0;1;;#FF0000;1;0;0;0;0;;");
  auto* b = Add(cfoBetween, u"1", u"5");
  b->FontColor = 0x000000;
  b->FillColor = 0xFFFFFF;
  EXPECT_EQ(b->GetKeyString(), u"#000000;0;0;0;0;0;#FFFFFF;");
  EXPECT_EQ(Formatting().GetKeyString(),
            u"0:0;1;;#FF0000;1;0;0;0;0;;;1:6;1;5;#000000;0;0;0;0;0;#FFFFFF;;");
}

TEST_F(CondFormatTest, CellWithoutRulesHasNoExtras) {
  TExportCell* plain = sheet->FindCreateCell(0, 0, TCellClass::Empty, false);
  EXPECT_EQ(plain->ConditionalFormattingIfAny(), nullptr);
  EXPECT_TRUE(plain->CanFreeAfterWrite());
  Add(cfoEqual, u"1");
  EXPECT_FALSE(cell_->CanFreeAfterWrite());
}

TEST_F(CondFormatTest, CopiedCellTakesTheRules) {
  Add(cfoLessThan, u"3")->FillColor = kMaroon;
  TExportCell* other = sheet->FindCreateCell(0, 0, TCellClass::Empty, false);
  other->Assign(*cell_);
  ASSERT_NE(other->ConditionalFormattingIfAny(), nullptr);
  EXPECT_EQ(other->ConditionalFormattingIfAny()->GetKeyString(), Formatting().GetKeyString());
  other->Assign(*sheet->FindCreateCell(5, 5, TCellClass::Empty, false));
  EXPECT_EQ(other->ConditionalFormattingIfAny(), nullptr);
}

}  // namespace
}  // namespace workbook
