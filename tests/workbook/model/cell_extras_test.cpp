#include "workbook/model/rich_text.h"

#include <gtest/gtest.h>

#include <array>

#include "model_fixture.h"
#include "rich_text_fixture.h"
#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"
#include "workbook/model/cell.h"
#include "workbook/model/cell_comment.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/conditional_formatting.h"
#include "workbook/model/drawing.h"

namespace workbook {
namespace {

using test::RichTextTest;

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

class CommentTest : public test::SheetTest {
 protected:
  TExportCell* Cell(int col, int row) {
    return sheet->FindCreateCell(col, row, TCellClass::Empty, false);
  }
};

TEST_F(CommentTest, ACommentCountsOnceItHasTextAndCopiesTakeOnlySuch) {
  TExportCell* cell = Cell(0, 0);
  TExportCellComment& comment = cell->GetComment();
  EXPECT_FALSE(cell->HasComment());
  comment.SetText(u"Pozn\u00e1mka \U0001F600");
  comment.Color = 0x123456;
  EXPECT_TRUE(cell->HasComment());
  // Comments do not keep a cell alive for the row writer's sake.
  EXPECT_TRUE(cell->CanFreeAfterWrite());
  Cell(1, 0)->Assign(*cell);
  ASSERT_TRUE(Cell(1, 0)->HasComment());
  EXPECT_EQ(Cell(1, 0)->CommentIfAny()->Color, 0x123456);
  EXPECT_EQ(Cell(1, 0)->CommentIfAny()->Cell(), Cell(1, 0));
  Cell(2, 0)->GetComment();  // no text
  Cell(1, 0)->Assign(*Cell(2, 0));
  EXPECT_EQ(Cell(1, 0)->CommentIfAny(), nullptr);
  cell->ClearComment();
  EXPECT_EQ(cell->CommentIfAny(), nullptr);
}

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

TMemoryStream Bytes(const std::string& bytes) {
  TMemoryStream stream;
  stream.WriteString(bytes);
  stream.SetPosition(0);
  return stream;
}

class DrawingTest : public test::SheetTest {
 protected:
  TExportCell* Cell(int col, int row) {
    return sheet->FindCreateCell(col, row, TCellClass::Empty, false);
  }
  int AddPhoto(const std::u16string& name = u"C:\\img\\Photo.JPG") {
    TMemoryStream data = Bytes("\x89PNG-bytes");
    return book->Drawings.AddImage(data, name);
  }
};

TEST_F(DrawingTest, AddImageWithoutExtensionRaisesAndAddsNothing) {
  TMemoryStream data = Bytes("x");
  try {
    book->Drawings.AddImage(data, u"C:\\img.d\\Photo");
    FAIL() << "added";
  } catch (const EWorkbookFileNameException& e) {
    EXPECT_EQ(e.Message(), WorkbookLng_NoExtension);
  }
  EXPECT_EQ(book->Drawings.Count(), 0);
}

TEST_F(DrawingTest, ImageMimeTypeFollowsTheExtension) {
  const std::pair<const char16_t*, const char16_t*> cases[] = {{u"a.jpg", u"image/jpeg"},
                                                               {u"a.TIF", u"image/tiff"},
                                                               {u"a.wmf", u"image/x-wmf"},
                                                               {u"a.emf", u"image/x-emf"},
                                                               {u"a.jpeg", u"image/jpeg"}};
  for (auto [file, mime] : cases)
    EXPECT_EQ(book->Drawings.GetItem(AddPhoto(file))->GetMimeType(), mime);
}

TEST_F(DrawingTest, SharedPictureGoesWithItsLastPlacement) {
  const int index = AddPhoto();
  EXPECT_EQ(Cell(0, 0)->DrawingsIfAny(), nullptr);
  EXPECT_TRUE(Cell(0, 0)->CanFreeAfterWrite());
  Cell(0, 0)->AddDrawing(index, 0, 0, 10, 10);
  EXPECT_FALSE(Cell(0, 0)->CanFreeAfterWrite());
  Cell(3, 2)->AddDrawing(index, 5, 5, 10, 10);
  ASSERT_EQ(book->Drawings.Count(), 1);
  EXPECT_EQ(book->Drawings.GetItem(0)->References.size(), 2u);
  Cell(0, 0)->Free();
  EXPECT_EQ(book->Drawings.Count(), 1);
  sheet->GetRow(2)->Free();
  EXPECT_EQ(book->Drawings.Count(), 0);
}

TEST_F(DrawingTest, CopiedCellSharesThePictureAndAnotherWorkbookGetsACopy) {
  const int index = AddPhoto();
  book->Drawings.GetItem(index)->KeyName = u"xl/media/image1.png";
  Cell(0, 0)->AddDrawing(index, 1, 2, 30, 40);
  Cell(1, 0)->Assign(*Cell(0, 0));
  EXPECT_EQ(book->Drawings.Count(), 1);
  EXPECT_EQ(book->Drawings.GetItem(0)->References.size(), 2u);

  TWorkbook other;
  TExportCell* target = other.AddWorkSheet()->FindCreateCell(0, 0, TCellClass::Empty, false);
  target->Assign(*Cell(0, 0));
  ASSERT_EQ(other.Drawings.Count(), 1);
  auto* copy = dynamic_cast<TExportImage*>(other.Drawings.GetItem(0));
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->Extension, u"jpg");
  EXPECT_EQ(copy->Data.Size(), 10);
  EXPECT_EQ(target->DrawingsIfAny()->GetItem(0)->Bounds.GetHeight(), 40);
}

TEST_F(DrawingTest, EndCellWalksColumnsAndRowsUpToTheSheetEdge) {
  TSheetPixelGrid grid;
  grid.DefaultColWidth = 64;
  grid.DefaultRowHeight = 20;
  int col, row, x, y;
  Cell(2, 3)->AddDrawing(AddPhoto(), 0, 0, 96, 48)->GetEndCell(grid, col, row, x, y);
  EXPECT_EQ((std::array{col, row, x, y}), (std::array{3, 5, 32, 8}));
  grid.ColWidths = {0, 0, 0};
  grid.DefaultColWidth = 0;  // hidden columns never use up an offset
  Cell(0, 0)->AddDrawing(AddPhoto(), 0, 0, 5, 5)->GetEndCell(grid, col, row, x, y);
  EXPECT_EQ(col, 16383);
}

}  // namespace
}  // namespace workbook
