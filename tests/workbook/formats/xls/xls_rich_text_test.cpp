#include "workbook/model/rich_text.h"

#include <gtest/gtest.h>

#include "workbook/model/cell_string.h"
#include "workbook/model/rich_text_fixture.h"

namespace workbook {
namespace {

using test::RichTextTest;

// The runs' bytes as xlrd reads them: XLSRoundTripTest.XlrdSeesEveryFeature.
TEST_F(RichTextTest, TagCutsTheTextIntoRunsKeyedByFont) {
  cell_->GetRichTextTags().AddTag(7, Bold());
  TStringRichTextTagTextList runs;
  cell_->GetRichTextTags().BuildTextList(cell_->GetValue(), runs, false);
  ASSERT_EQ(runs.Count(), 2);
  EXPECT_EQ(runs.GetEntry(0).GetText(), u"Hello ");
  EXPECT_FALSE(runs.GetEntry(0).Font.has_value());
  EXPECT_EQ(runs.GetEntry(1).GetText(), u"world");
  ASSERT_TRUE(runs.GetEntry(1).Font.has_value());
  std::u16string key;
  runs.GetKeyString(book->GetDefaultFont(), key);
  EXPECT_EQ(key, u"1:6:" + runs.GetEntry(1).Font->GetKeyString());
}

TEST_F(RichTextTest, ReadRunsKeepTheFirstOfEqualPositions) {
  for (int size : {11, 12, 13, 14}) book->FontList.Add(SizedFont(size));
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
  EXPECT_EQ(cell_->GetRichTextTags().GetTag(0)->Font, book->GetDefaultFont());
}

TEST_F(RichTextTest, XlsTextGetsCrLfAndItsRunsFollow) {
  book->FontList.Add(SizedFont(20));
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
