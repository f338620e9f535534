// The indexed list has no caller in the product yet: one check per behaviour.
#include "workbook/core/indexed_owned_list.h"

#include <gtest/gtest.h>

using namespace workbook;

namespace {

class TEntry : public TIndexedOwnedListObject {
 public:
  std::unique_ptr<TOwnedListObject> NewInstance() const override {
    return std::make_unique<TEntry>();
  }
};

using TEntries = TIndexedOwnedListOf<TEntry>;

void Fill(TEntries& list, std::initializer_list<std::int32_t> ids) {
  for (std::int32_t id : ids) list.AddNew()->SetId(id);
}

TEST(IndexedOwnedList, TheIndexFollowsIdChangesMovesAndExtractsAndSharedIdsAnswerTheFirst) {
  TEntries list;
  Fill(list, {1, 2, 3, 1});
  list[1]->SetId(20);
  EXPECT_EQ(list.FindById(2), nullptr);
  list.Move(2, 0);
  EXPECT_EQ(list.IndexOfId(3), 0);
  EXPECT_EQ(list.IndexOfId(1), 1);  // the first in list order
  // An extracted item leaves the index with the list, so no dangling entry survives its end.
  list.Extract(list[0]).reset();
  EXPECT_EQ(list.FindById(3), nullptr);
  EXPECT_EQ(list.GetMaxId(), 20);
  list.Clear();
  EXPECT_EQ(list.GetMaxId(), -1);
}

TEST(IndexedOwnedList, OnlyMissingCopiesAreAdded) {
  TEntries source, target;
  Fill(source, {1, 2, 2, 4});
  Fill(target, {2});
  target.AddMissingCopies(source);
  ASSERT_EQ(target.Count(), 3);
  EXPECT_EQ(target[1]->Id(), 1);
  EXPECT_EQ(target[2]->Id(), 4);
}

}  // namespace
