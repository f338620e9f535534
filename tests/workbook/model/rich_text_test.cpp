#include "workbook/model/rich_text.h"

#include <gtest/gtest.h>

#include "model_fixture.h"
#include "workbook/model/cell_string.h"

namespace workbook {
namespace {

class RichTextTest : public test::SheetTest {
 protected:
  void SetUp() override {
    SheetTest::SetUp();
    row_ = sheet->GetRow(0);
    cell_ = row_->AddCellString(u"Hello world");
  }
  static TExportFont Bold() {
    TExportFont font;
    font.SetSize(-1);
    font.GetStyle().Bold = 1;
    return font;
  }
  TExportFont SizedFont(int size) {
    TExportFont font = book->GetDefaultFont();
    font.SetSize(size);
    return font;
  }
  TExportRow* row_ = nullptr;
  TExportCellString* cell_ = nullptr;
};

TEST_F(RichTextTest, TagsWithoutACellRefuse) {
  TStringRichTextTags loose(nullptr);
  EXPECT_THROW(loose.GetDefaultFont(), std::runtime_error);
  EXPECT_THROW(loose.GetFontList(), std::runtime_error);
}

TEST_F(RichTextTest, CopiesCarryTheTags) {
  cell_->GetRichTextTags().AddTag(3, Bold());
  TExportCell* copy = row_->AddCell(TCellClass::String);
  copy->Assign(*cell_);
  auto* text = static_cast<TExportCellString*>(copy);
  ASSERT_TRUE(text->HasRichText());
  EXPECT_EQ(text->GetRichTextTags().GetTag(0)->Position, 3);
}

}  // namespace
}  // namespace workbook
