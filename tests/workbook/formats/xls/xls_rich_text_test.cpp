#include "workbook/model/rich_text.h"

#include <gtest/gtest.h>

#include "workbook/model/cell_string.h"
#include "workbook/model/model_fixture.h"

namespace workbook {
namespace {

class RichTextTest : public ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    book_ = std::make_unique<TWorkbook>();
    row_ = book_->AddWorkSheet(u"S")->GetRow(0);
    cell_ = row_->AddCellString(u"Hello world");
  }
  static TExportFont Bold() {
    TExportFont font;
    font.SetSize(-1);
    font.GetStyle().Bold = 1;
    return font;
  }
  TExportFont SizedFont(int size) {
    TExportFont font = book_->GetDefaultFont();
    font.SetSize(size);
    return font;
  }
  std::unique_ptr<TWorkbook> book_;
  TExportRow* row_ = nullptr;
  TExportCellString* cell_ = nullptr;
};

TEST_F(RichTextTest, TagCutsTheTextIntoRuns) {
  cell_->GetRichTextTags().AddTag(7, Bold());
  TStringRichTextTagTextList runs;
  cell_->GetRichTextTags().BuildTextList(cell_->GetValue(), runs, false);
  ASSERT_EQ(runs.Count(), 2);
  EXPECT_EQ(runs.GetEntry(0).GetText(), u"Hello ");
  EXPECT_FALSE(runs.GetEntry(0).Font.has_value());
  EXPECT_EQ(runs.GetEntry(1).GetText(), u"world");
  ASSERT_TRUE(runs.GetEntry(1).Font.has_value());
  EXPECT_EQ(runs.GetEntry(1).Font->GetStyle().Bold, 1);
  EXPECT_EQ(runs.GetEntry(1).Font->GetName(), u"Arial");
  EXPECT_EQ(runs.GetEntry(1).Font->GetSize(), 10);

  std::vector<std::uint8_t> buffer;
  runs.WriteXLSRuns(buffer, book_->GetDefaultFont(), book_->FontList);
  EXPECT_EQ(buffer, (std::vector<std::uint8_t>{6, 0, 5, 0}));  // registry font 1 is BIFF font 5
  std::u16string key;
  runs.GetKeyString(book_->GetDefaultFont(), key);
  EXPECT_EQ(key, u"1:6:" + runs.GetEntry(1).Font->GetKeyString());
}

TEST_F(RichTextTest, TagAtTheStartGivesARunAtZero) {
  cell_->GetRichTextTags().AddTag(1, Bold());
  TStringRichTextTagTextList runs;
  cell_->GetRichTextTags().BuildTextList(cell_->GetValue(), runs, false);
  ASSERT_EQ(runs.Count(), 1);
  std::vector<std::uint8_t> buffer;
  runs.WriteXLSRuns(buffer, book_->GetDefaultFont(), book_->FontList);
  ASSERT_EQ(buffer.size(), 4u);
  EXPECT_EQ(buffer[0], 0);
}

TEST_F(RichTextTest, ReadRunsKeepTheFirstOfEqualPositions) {
  for (int size : {11, 12, 13, 14}) book_->FontList.Add(SizedFont(size));
  cell_->GetRichTextTags().ReadXLSRuns(
      std::vector<std::uint8_t>{0, 0, 5, 0, 0, 0, 1, 0, 5, 0, 3, 0});
  TStringRichTextTags& tags = cell_->GetRichTextTags();
  ASSERT_EQ(tags.Count(), 2);
  EXPECT_EQ(tags.GetTag(0)->Position, 1);
  EXPECT_EQ(tags.GetTag(0)->Font.GetSize(), 14);  // BIFF font 5 is registry font 4
  EXPECT_EQ(tags.GetTag(1)->Position, 6);
  EXPECT_EQ(tags.GetTag(1)->Font.GetSize(), 13);  // BIFF font 3 is registry font 3
}

TEST_F(RichTextTest, UnknownFontIndexKeepsTheBaseFont) {
  cell_->GetRichTextTags().ReadXLSRuns(std::vector<std::uint8_t>{2, 0, 99, 0, 7});
  ASSERT_EQ(cell_->GetRichTextTags().Count(), 1);
  EXPECT_EQ(cell_->GetRichTextTags().GetTag(0)->Font, book_->GetDefaultFont());
}

TEST_F(RichTextTest, XlsTextGetsCrLfAndItsRunsFollow) {
  book_->FontList.Add(SizedFont(20));
  cell_->ReadXLSText(u"a\nb\r\nc", std::vector<std::uint8_t>{2, 0, 5, 0, 5, 0, 5, 0});
  EXPECT_EQ(cell_->GetValue(), u"a\r\nb\r\nc");
  TStringRichTextTags& tags = cell_->GetRichTextTags();
  ASSERT_EQ(tags.Count(), 2);
  EXPECT_EQ(tags.GetTag(0)->Position, 4);  // "b" moved one place right
  EXPECT_EQ(tags.GetTag(1)->Position, 7);  // "c"
  cell_->SetValue(u"plain");
  EXPECT_FALSE(cell_->HasRichText());
}

}  // namespace
}  // namespace workbook
