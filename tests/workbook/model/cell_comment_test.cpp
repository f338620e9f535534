#include <gtest/gtest.h>

#include "model_fixture.h"

#include "workbook/model/cell.h"
#include "workbook/model/cell_comment.h"
#include "workbook/model/cell_write_context.h"
#include "workbook/model/rich_text.h"

namespace workbook {
namespace {

class CommentTest : public test::SheetTest {
 protected:
  TExportCell* Cell(int col, int row) {
    return sheet->FindCreateCell(col, row, TCellClass::Empty, false);
  }
};

TEST_F(CommentTest, DefaultsAndTextOnDemand) {
  TExportCell* cell = Cell(0, 0);
  EXPECT_EQ(cell->CommentIfAny(), nullptr);
  EXPECT_FALSE(cell->HasComment());
  TExportCellComment& comment = cell->GetComment();
  EXPECT_FALSE(cell->HasComment());
  EXPECT_EQ(comment.Bounds.Left, 20);
  EXPECT_EQ(comment.Bounds.GetWidth(), 150);
  EXPECT_EQ(comment.Color, 0xC0FFFF);
  EXPECT_EQ(comment.Alignment, 1);
  EXPECT_EQ(comment.VAlignment, 1);
  comment.SetText(u"Pozn\u00e1mka \U0001F600");
  EXPECT_TRUE(cell->HasComment());
  EXPECT_EQ(comment.GetText(), u"Pozn\u00e1mka \U0001F600");
  // Comments do not keep a cell alive for the row writer's sake.
  EXPECT_TRUE(cell->CanFreeAfterWrite());
  cell->ClearComment();
  EXPECT_EQ(cell->CommentIfAny(), nullptr);
}

TEST_F(CommentTest, CopyTakesACommentWithTextAndClearsOtherwise) {
  Cell(0, 0)->GetComment().SetText(u"a");
  Cell(0, 0)->GetComment().Color = 0x123456;
  Cell(1, 0)->Assign(*Cell(0, 0));
  ASSERT_TRUE(Cell(1, 0)->HasComment());
  EXPECT_EQ(Cell(1, 0)->CommentIfAny()->Color, 0x123456);
  EXPECT_EQ(Cell(1, 0)->CommentIfAny()->Cell(), Cell(1, 0));
  Cell(2, 0)->GetComment();  // no text
  Cell(1, 0)->Assign(*Cell(2, 0));
  EXPECT_EQ(Cell(1, 0)->CommentIfAny(), nullptr);
}

}  // namespace
}  // namespace workbook
