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

TEntry* AddWithId(TEntries& list, std::int32_t id) {
  TEntry* entry = list.AddNew();
  entry->SetId(id);
  return entry;
}

TEST(IndexedOwnedList, MaxIdOfAnEmptyListIsMinusOne) {
  TEntries list;
  EXPECT_EQ(list.GetMaxId(), -1);
  AddWithId(list, 7);
  AddWithId(list, 3);
  EXPECT_EQ(list.GetMaxId(), 7);
  list.Clear();
  EXPECT_EQ(list.GetMaxId(), -1);
}

TEST(IndexedOwnedList, ChangingAnIdMovesTheItemInTheIndex) {
  TEntries list;
  AddWithId(list, 1);
  TEntry* b = AddWithId(list, 2);
  b->SetId(20);
  EXPECT_EQ(list.FindById(2), nullptr);
  EXPECT_EQ(list.FindById(20), b);
  EXPECT_EQ(list.IndexOfId(20), 1);
  EXPECT_EQ(list.IndexOfId(2), -1);
}

TEST(IndexedOwnedList, FollowsDeletesMovesAndExtracts) {
  TEntries list;
  TEntry* a = AddWithId(list, 1);
  AddWithId(list, 2);
  TEntry* c = AddWithId(list, 3);
  list.Move(2, 0);
  EXPECT_EQ(list.IndexOfId(3), 0);
  EXPECT_EQ(list.IndexOfId(1), 1);
  list.Delete(list.IndexOfId(2));
  EXPECT_EQ(list.FindById(2), nullptr);
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
}

TEST(IndexedOwnedList, SharedIdsAnswerTheFirstInListOrder) {
  TEntries list;
  TEntry* a = AddWithId(list, 5);
  TEntry* b = AddWithId(list, 5);
  list.Exchange(0, 1);
  EXPECT_EQ(list.FindById(5), b);
  list.Remove(b);
  EXPECT_EQ(list.FindById(5), a);
}

TEST(IndexedOwnedList, CopiesCarryTheIdAndOnlyMissingOnesAreAdded) {
  TEntries source;
  AddWithId(source, 1);
  AddWithId(source, 2);
  AddWithId(source, 2);
  AddWithId(source, 4);
  TEntries target;
  AddWithId(target, 2);
  target.AddMissingCopies(source);
  ASSERT_EQ(target.Count(), 3);
  EXPECT_EQ(target[1]->Id(), 1);
  EXPECT_EQ(target[2]->Id(), 4);
  TEntries copy;
  copy.Assign(source);
  EXPECT_EQ(copy.Count(), 4);
  EXPECT_EQ(copy.IndexOfId(4), 3);
}

}  // namespace
