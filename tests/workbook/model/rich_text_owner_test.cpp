// The base font a rich-text run builds on comes from the text's owner: a cell's fonts from the
// sheet default up, or a comment's own font.
#include <gtest/gtest.h>

#include "workbook/model/cell_comment.h"
#include "workbook/model/rich_text.h"
#include "workbook/model/rich_text_fixture.h"

namespace workbook {
namespace {

class RichTextOwnerTest : public test::RichTextTest {
 protected:
  // The runs of "Hello world" with an italic tag at position 7.
  static TStringRichTextTagTextList Runs(TStringRichTextTags& tags) {
    TExportFont italic;
    italic.SetSize(-1);
    italic.GetStyle().Italic = 1;
    tags.AddTag(7, italic);
    TStringRichTextTagTextList runs;
    tags.BuildTextList(u"Hello world", runs, false);
    return runs;
  }
};

TEST_F(RichTextOwnerTest, ACommentsRunsBuildOnTheCommentsFontNotTheCells) {
  cell_->GetStyle().GetFontForWrite().SetSize(20);
  cell_->GetStyle().GetFontForWrite().GetStyle().Bold = 1;
  TExportCellComment& comment = cell_->GetComment();
  comment.Font.SetName(u"Tahoma");
  comment.Font.SetSize(9);
  comment.SetText(u"Hello world");

  const TStringRichTextTagTextList runs = Runs(comment.GetRichText());
  ASSERT_EQ(runs.Count(), 2);
  EXPECT_FALSE(runs.GetEntry(0).Font.has_value());
  const TExportFont& font = *runs.GetEntry(1).Font;
  EXPECT_EQ(font.GetName(), u"Tahoma");
  EXPECT_EQ(font.GetSize(), 9);
  EXPECT_EQ(font.GetStyle().Bold, 0);
  EXPECT_EQ(font.GetStyle().Italic, 1);
  EXPECT_EQ(&comment.GetRichText().GetDefaultFont(), &comment.Font);
  EXPECT_EQ(&comment.GetRichText().GetFontList(), &book->FontList);
}

// A copy of a comment (as the XLSX writer keeps one per note) owns its runs itself, so they still
// build on its font when it belongs to no cell.
TEST_F(RichTextOwnerTest, ACopiedCommentsRunsBuildOnTheCopysFont) {
  TExportCellComment& comment = cell_->GetComment();
  comment.Font.SetSize(9);
  comment.SetText(u"Hello world");
  Runs(comment.GetRichText());
  TExportCellComment copy;
  copy.Assign(comment);
  TStringRichTextTagTextList runs;
  copy.GetRichText().BuildTextList(copy.GetText(), runs, false);
  ASSERT_EQ(runs.Count(), 2);
  EXPECT_EQ(runs.GetEntry(1).Font->GetSize(), 9);
  EXPECT_EQ(runs.GetEntry(1).Font->GetStyle().Italic, 1);
  EXPECT_THROW(copy.GetRichText().GetFontList(), std::runtime_error);
}

// A cell's runs overlay the sheet default, the row's, the column's and the cell's own font in
// that order: each level below wins over the one above where it sets something.
TEST_F(RichTextOwnerTest, ACellsRunsOverlayRowColumnAndCellFonts) {
  TExportFont& rowFont = row_->GetStyle().GetFontForWrite();
  rowFont.SetName(u"Row Font");
  rowFont.SetSize(14);
  rowFont.GetStyle().Bold = 1;
  TExportFont& colFont = sheet->GetCol(0)->GetStyle().GetFontForWrite();
  colFont.SetName(u"Column Font");
  colFont.GetStyle().Underline = 1;
  // No style of the cell's own yet: the row and the column show through.
  TStringRichTextTagTextList runs = Runs(cell_->GetRichTextTags());
  ASSERT_EQ(runs.Count(), 2);
  TExportFont font = *runs.GetEntry(1).Font;
  // The column's font began as a copy of the sheet default, so its size is set and wins too.
  EXPECT_EQ(font.GetName(), u"Column Font");
  EXPECT_EQ(font.GetSize(), 10);
  EXPECT_EQ(font.GetStyle().Bold, 1);
  EXPECT_EQ(font.GetStyle().Underline, 1);
  EXPECT_EQ(font.GetStyle().Italic, 1);

  cell_->GetStyle().GetFontForWrite().SetName(u"Cell Font");
  cell_->GetRichTextTags().BuildTextList(u"Hello world", runs, false);
  EXPECT_EQ(runs.GetEntry(1).Font->GetName(), u"Cell Font");
}

}  // namespace
}  // namespace workbook
