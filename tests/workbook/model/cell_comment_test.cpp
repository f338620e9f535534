#include <gtest/gtest.h>

#include "model_fixture.h"
#include "workbook/model/cell.h"
#include "workbook/model/cell_comment.h"

namespace workbook {
namespace {

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

}  // namespace
}  // namespace workbook
