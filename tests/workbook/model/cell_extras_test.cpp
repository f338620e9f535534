#include "workbook/model/rich_text.h"

#include <gtest/gtest.h>

#include "model_fixture.h"
#include "platform/text_codec.h"
#include "rich_text_fixture.h"
#include "support/thrown.h"
#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"
#include "workbook/model/cell.h"
#include "workbook/model/cell_comment.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/conditional_formatting.h"
#include "workbook/model/drawing.h"

namespace workbook {
namespace {

TEST(RichTextTagsTest, TagsWithoutACellRefuse) {
  TStringRichTextTags loose(static_cast<TExportCell*>(nullptr));
  EXPECT_THROW(loose.GetDefaultFont(), std::runtime_error);
  EXPECT_THROW(loose.GetFontList(), std::runtime_error);
}

class CellExtrasTest : public test::RichTextTest {
 protected:
  TExportCell* Cell(int col, int row) {
    return sheet->FindCreateCell(col, row, TCellClass::Empty, false);
  }
  TExportConditionalFormattingRule* AddRule(TExportCell* cell, std::uint8_t op) {
    return TExportConditionalFormattingRule::AddRule(cell->GetConditionalFormatting().Rules, op,
                                                     u"1", u"5");
  }
  int AddPhoto(const std::u16string& name = u"C:\\img\\Photo.JPG") {
    TMemoryStream data;
    data.WriteString("\x89PNG-bytes");
    data.SetPosition(0);
    return book->Drawings.AddImage(data, name);
  }
};

// Only rules and drawings keep a written cell alive: the writer reads them after the rows.
TEST_F(CellExtrasTest, CopiesTakeTheExtrasAndOnlySomeKeepACellAfterWrite) {
  cell_->GetRichTextTags().AddTag(3, Bold());
  cell_->GetComment().SetText(u"Pozn\u00e1mka \U0001F600");
  cell_->GetComment().Color = 0x123456;
  EXPECT_TRUE(cell_->CanFreeAfterWrite());
  AddRule(cell_, cfoLessThan)->FillColor = 0x000080;
  EXPECT_FALSE(cell_->CanFreeAfterWrite());
  Cell(3, 0)->AddDrawing(AddPhoto(), 1, 2, 30, 40);
  EXPECT_FALSE(Cell(3, 0)->CanFreeAfterWrite());
  auto* copy = static_cast<TExportCellString*>(row_->AddCell(TCellClass::String));
  copy->Assign(*cell_);
  ASSERT_TRUE(copy->HasRichText());
  EXPECT_EQ(copy->GetRichTextTags().GetTag(0)->Position, 3);
  ASSERT_TRUE(copy->HasComment());
  EXPECT_EQ(copy->CommentIfAny()->Color, 0x123456);
  EXPECT_EQ(copy->CommentIfAny()->Cell(), copy);
  ASSERT_NE(copy->ConditionalFormattingIfAny(), nullptr);
  EXPECT_EQ(copy->ConditionalFormattingIfAny()->GetKeyString(),
            cell_->ConditionalFormattingIfAny()->GetKeyString());
  // A comment without text is none; copying a bare cell clears what was there.
  Cell(5, 5)->GetComment();
  copy->Assign(*Cell(5, 5));
  EXPECT_EQ(copy->CommentIfAny(), nullptr);
  EXPECT_EQ(copy->ConditionalFormattingIfAny(), nullptr);
}

// Black and no colour must give different keys, or two formats would share one style.
TEST_F(CellExtrasTest, RuleKeysTellBlackFromNoColour) {
  auto* a = AddRule(cell_, cfoEqual);
  a->FontColor = 0x0000FF;
  a->FontStyle.Bold = 1;
  EXPECT_EQ(a->GetKeyString(), u"#FF0000;1;0;0;0;0;;");
  auto* b = AddRule(cell_, cfoBetween);
  b->FontColor = 0x000000;
  b->FillColor = 0xFFFFFF;
  EXPECT_EQ(b->GetKeyString(), u"#000000;0;0;0;0;0;#FFFFFF;");
}

TEST_F(CellExtrasTest, ImagesNeedAnExtensionThatGivesTheirType) {
  EXPECT_EQ(
      test_support::Thrown<EWorkbookFileNameException>([&] { AddPhoto(u"C:\\img.d\\Photo"); }),
      platform::Utf16ToUtf8(WorkbookLng_NoExtension));
  EXPECT_EQ(book->Drawings.Count(), 0);
  std::u16string types;
  for (const char16_t* file : {u"a.jpg", u"a.TIF", u"a.wmf", u"a.emf", u"a.jpeg"})
    types += book->Drawings.GetItem(AddPhoto(file))->GetMimeType() + u" ";
  EXPECT_EQ(types, u"image/jpeg image/tiff image/x-wmf image/x-emf image/jpeg ");
}

TEST_F(CellExtrasTest, ASharedPictureGoesWithItsLastPlacementAndIsCopiedIntoAnotherWorkbook) {
  const int index = AddPhoto();
  Cell(0, 1)->AddDrawing(index, 1, 2, 30, 40);
  Cell(3, 2)->AddDrawing(index, 5, 5, 10, 10);
  Cell(1, 1)->Assign(*Cell(0, 1));
  ASSERT_EQ(book->Drawings.Count(), 1);
  EXPECT_EQ(book->Drawings.GetItem(0)->References.size(), 3u);
  TWorkbook other;
  TExportCell* target = other.AddWorkSheet()->FindCreateCell(0, 0, TCellClass::Empty, false);
  target->Assign(*Cell(0, 1));
  ASSERT_EQ(other.Drawings.Count(), 1);
  auto* copy = dynamic_cast<TExportImage*>(other.Drawings.GetItem(0));
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->Extension, u"jpg");
  EXPECT_EQ(copy->Data.Size(), 10);
  EXPECT_EQ(target->DrawingsIfAny()->GetItem(0)->Bounds.GetHeight(), 40);
  sheet->GetRow(2)->Free();
  EXPECT_EQ(book->Drawings.Count(), 1);
  sheet->GetRow(1)->Free();
  EXPECT_EQ(book->Drawings.Count(), 0);
}

TEST_F(CellExtrasTest, EndCellOverHiddenColumnsStopsAtTheSheetEdge) {
  // The walk over visible cells is in the formats' anchor golden; hidden columns never use up
  // an offset.
  TSheetPixelGrid grid;
  grid.DefaultRowHeight = 20;
  grid.ColWidths = {0, 0, 0};
  grid.DefaultColWidth = 0;
  int col, row, x, y;
  Cell(0, 0)->AddDrawing(AddPhoto(), 0, 0, 5, 5)->GetEndCell(grid, col, row, x, y);
  EXPECT_EQ(col, 16383);
}

}  // namespace
}  // namespace workbook
