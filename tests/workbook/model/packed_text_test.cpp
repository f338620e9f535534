#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "model_fixture.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/packed_text.h"

namespace workbook {
namespace {

TEST(PackedTextTest, CopiesShareTheCharactersAndOutliveTheOriginal) {
  auto original = std::make_unique<TPackedText>(u"Položka 1");
  TPackedText copy(*original);
  TPackedText assigned;
  assigned = copy;
  EXPECT_EQ(copy.View().data(), original->View().data());
  EXPECT_EQ(assigned.View().data(), original->View().data());
  original.reset();
  EXPECT_EQ(copy.View(), u"Položka 1");
  EXPECT_EQ(assigned.size(), 9u);
}

TEST(PackedTextTest, AssigningNewTextLeavesCopiesAlone) {
  TPackedText first(u"abc");
  TPackedText second(first);
  second.Assign(u"xyz");
  EXPECT_EQ(first.View(), u"abc");
  EXPECT_EQ(second.View(), u"xyz");
  second = second;  // self-assignment keeps the text
  EXPECT_EQ(second.View(), u"xyz");
  second.Assign(u"");
  EXPECT_TRUE(second.empty());
  EXPECT_EQ(second.View(), u"");
}

TEST(PackedTextTest, MoveLeavesTheSourceEmpty) {
  TPackedText source(u"moved");
  TPackedText target(std::move(source));
  EXPECT_TRUE(source.empty());  // NOLINT(bugprone-use-after-move)
  EXPECT_EQ(target.View(), u"moved");
  TPackedText other(u"old");
  other = std::move(target);
  EXPECT_EQ(other.View(), u"moved");
}

class SharedCellTextTest : public ModelTest {};

TEST_F(SharedCellTextTest, CellSharesTheTableTextAndKeepsItsRules) {
  TWorkbook book;
  TExportRow* row = book.AddWorkSheet(u"S")->GetRow(0);
  const TPackedText table(u"a\r\nb");
  auto* text = static_cast<TExportCellString*>(row->AddCell(TCellClass::String));
  text->SetValueShared(table);
  EXPECT_EQ(text->GetValue().data(), table.View().data());
  EXPECT_TRUE(text->GetStyle().GetWrapText());

  const TPackedText longText(std::u16string(256, u'x'));
  auto* other = static_cast<TExportCellString*>(row->AddCell(TCellClass::String));
  other->SetSharedString(false);
  other->SetValueShared(longText);
  EXPECT_TRUE(other->SharedString());
  // Changing the cell gives it its own text; the table's stays.
  text->SetValue(u"c");
  EXPECT_EQ(table.View(), u"a\r\nb");
}

}  // namespace
}  // namespace workbook
