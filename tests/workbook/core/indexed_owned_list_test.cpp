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

TEST(IndexedOwnedList, TheIndexFollowsIdChangesDeletesMovesAndExtracts) {
  TEntries list;
  Fill(list, {1, 2, 3});
  TEntry* a = list[0];
  TEntry* c = list[2];
  list[1]->SetId(20);
  EXPECT_EQ(list.FindById(2), nullptr);
  EXPECT_EQ(list.IndexOfId(20), 1);
  list.Move(2, 0);
  EXPECT_EQ(list.IndexOfId(3), 0);
  EXPECT_EQ(list.IndexOfId(1), 1);
  list.Delete(list.IndexOfId(20));
  EXPECT_EQ(list.FindById(20), nullptr);
  // An extracted item leaves the index with the list, so no dangling entry survives its end.
  TOwnedPtr<TEntry> taken = list.Extract(c);
  EXPECT_EQ(list.FindById(3), nullptr);
  taken.reset();
  EXPECT_EQ(list.FindById(1), a);
  EXPECT_EQ(list.GetMaxId(), 1);
  // Its Id can change outside a list without touching any index.
  auto free = TOwnedListObject::Create<TEntry>();
  free->SetId(9);
  list.Add(std::move(free));
  EXPECT_EQ(list.IndexOfId(9), 1);
  list.Clear();
  EXPECT_EQ(list.GetMaxId(), -1);
}

TEST(IndexedOwnedList, SharedIdsAnswerTheFirstInListOrder) {
  TEntries list;
  Fill(list, {5, 5});
  TEntry* a = list[0];
  TEntry* b = list[1];
  list.Exchange(0, 1);
  EXPECT_EQ(list.FindById(5), b);
  list.Remove(b);
  EXPECT_EQ(list.FindById(5), a);
}

TEST(IndexedOwnedList, CopiesCarryTheIdAndOnlyMissingOnesAreAdded) {
  TEntries source, target;
  Fill(source, {1, 2, 2, 4});
  Fill(target, {2});
  target.AddMissingCopies(source);
  ASSERT_EQ(target.Count(), 3);
  EXPECT_EQ(target[1]->Id(), 1);
  EXPECT_EQ(target[2]->Id(), 4);
  TEntries copy;
  copy.Assign(source);
  EXPECT_EQ(copy.IndexOfId(4), 3);
}

}  // namespace
