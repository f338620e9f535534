#include "workbook/core/item_blocks.h"

#include <gtest/gtest.h>

#include <memory>

#include "model_fixture.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/workbook.h"

namespace workbook {
namespace {

TEST(ItemBlocksTest, ReleasedRoomServesTheNextItemOfItsSize) {
  TItemBlocks blocks;
  void* first = blocks.Allocate(56);
  void* other = blocks.Allocate(24);
  TItemBlocks::Release(first, 56);
  void* next = blocks.Allocate(24);
  EXPECT_EQ(next, static_cast<char*>(other) + 24);
  void* again = blocks.Allocate(50);  // rounded to the same grain
  EXPECT_EQ(again, first);
  EXPECT_THROW(blocks.Allocate(TItemBlocks::kLargest + 1), std::bad_alloc);
  for (void* room : {other, next}) TItemBlocks::Release(room, 24);
  TItemBlocks::Release(again, 50);
}

class ItemBlocksCellTest : public ModelTest {};

TEST_F(ItemBlocksCellTest, ACellTakenOutOfItsWorkbookOutlivesIt) {
  auto book = std::make_unique<TWorkbook>();
  TExportRow* row = book->AddWorkSheet(u"S")->GetRow(0);
  for (int i = 0; i < 3; ++i) row->AddCellNumber(i, 2);
  TOwnedPtr<TExportCell> taken = row->Cells.Extract(row->Cells[1]);
  book.reset();
  EXPECT_EQ(taken->GetValueText(), u"1");
  taken.reset();
}

}  // namespace
}  // namespace workbook
