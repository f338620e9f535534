#include "workbook/core/owned_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "support/thrown.h"
#include "workbook/core/indexed_owned_list.h"
#include "workbook/core/item_blocks.h"
#include "workbook/core/list_error.h"

using namespace workbook;

namespace {

// What the hooks saw, shared by all items of a test.
struct THookLog {
  std::vector<std::string> events;
  int created = 0;
  int destroyed = 0;
};

class TOwnerObject : public TObject {};

class TItem : public TOwnedListObject {
 public:
  TItem(THookLog* log, std::string name) : Name(std::move(name)), log_(log) {}
  std::string Name;
  // Seen by DoCreate: the list and position were already set.
  std::int32_t IndexAtCreate = -2;
  TObject* OwnerAtCreate = nullptr;

  std::unique_ptr<TOwnedListObject> NewInstance() const override {
    return std::make_unique<TItem>(log_, "");
  }
  void AssignTo(TPersistent& dest) const override {
    if (auto* item = dynamic_cast<TItem*>(&dest)) item->Name = Name + "'";
  }

 protected:
  void DoCreate() override {
    ++log_->created;
    IndexAtCreate = GetIndex();
    OwnerAtCreate = GetListOwner();
  }
  void DoDestroy() override {
    ++log_->destroyed;
    // Out of the list already, but the list is still known.
    log_->events.push_back("destroy " + Name + " index " + std::to_string(GetIndex()) +
                           (OwnerList() ? " listed" : " free"));
  }

 private:
  THookLog* log_;
};

class TFailingItem : public TItem {
 public:
  using TItem::TItem;

 protected:
  void DoCreate() override {
    TItem::DoCreate();
    throw std::runtime_error("no");
  }
};

using TItems = TOwnedListOf<TItem, TOwnerObject>;

// The names in slot order ("-" an empty slot), after checking every item knows its slot.
std::string Names(const TItems& list, const std::string& separator = "") {
  std::string names;
  for (std::int32_t i = 0; i < list.Count(); ++i) {
    if (list[i]) {
      EXPECT_EQ(list[i]->GetIndex(), i) << list[i]->Name;
      EXPECT_EQ(list[i]->OwnerList(), &list);
    }
    names += (list[i] ? list[i]->Name : "-") + separator;
  }
  return names;
}

class OwnedList : public ::testing::Test {
 protected:
  void Fill(const std::string& names) {
    for (char c : names) list.AddNew(&log, std::string(1, c));
  }
  THookLog log;
  TOwnerObject owner;
  TItems list{&owner};
};

TEST_F(OwnedList, AddAndInsertSetListAndPositionBeforeDoCreate) {
  Fill("ab");
  TItem* last = TOwnedListObject::CreateInsert<TItem>(list, 99, &log, "z");
  list.InsertNew(-5, &log, "y");  // clamped to the front
  EXPECT_EQ(Names(list), "yabz");
  EXPECT_EQ(last->IndexAtCreate, 2);  // positions clamped
  EXPECT_EQ(last->OwnerAtCreate, &owner);
  EXPECT_EQ(test_support::Thrown<EListError>(
                [&] { list.Insert(5, TOwnedListObject::Create<TItem>(&log, "x")); }),
            "List index out of bounds (5)");
  EXPECT_THROW(list.GetItem(-1), EListError);
  EXPECT_THROW(list.Move(0, 4), EListError);
  EXPECT_EQ(Names(list), "yabz");
  // A creation that fails leaves nothing behind.
  EXPECT_THROW(list.InsertNew<TFailingItem>(1, &log, "f"), std::runtime_error);
  EXPECT_EQ(Names(list), "yabz");
  EXPECT_EQ(log.created, log.destroyed + 4);
}

TEST_F(OwnedList, DeleteRemoveFreeAndEmptySlotFreeTheItemOnce) {
  Fill("abcde");
  list.Delete(0);
  EXPECT_EQ(log.events.back(), "destroy a index -1 listed");
  list[1]->Free();
  EXPECT_EQ(list.Remove(list[1]), 1);
  list.EmptySlot(0);
  list.EmptySlot(0);  // already empty: nothing happens
  EXPECT_EQ(Names(list), "-e");
  EXPECT_EQ(log.destroyed, 4);
  {
    auto item = TOwnedListObject::Create<TItem>(&log, "x");
    EXPECT_THROW(item->Free(), EListError);  // only a listed item frees itself
  }
  EXPECT_EQ(log.events.back(), "destroy x index -1 free");
  EXPECT_EQ(log.destroyed, 5);
}

TEST_F(OwnedList, FreeingTheListFreesEveryItemLastFirstWithoutNotifying) {
  int notified = 0;
  {
    TItems local;
    for (char c : std::string("abcd")) local.AddNew(&log, std::string(1, c));
    local.OnNotify = [&](TOwnedList&, TOwnedListObject*, TListNotification) { ++notified; };
  }
  EXPECT_EQ(notified, 0);
  // The last first, so no renumbering happens while a list dies.
  EXPECT_EQ(log.events,
            (std::vector<std::string>{"destroy d index -1 listed", "destroy c index -1 listed",
                                      "destroy b index -1 listed", "destroy a index -1 listed"}));
}

TEST_F(OwnedList, ExtractKeepsTheItemAliveAndNotificationsComeBeforeFreeing) {
  std::vector<std::string> seen;
  list.OnNotify = [&](TOwnedList& sender, TOwnedListObject* item, TListNotification action) {
    EXPECT_EQ(&sender, &list);
    const char* kinds[] = {"added", "extracted", "deleted"};
    seen.push_back(std::string(kinds[static_cast<int>(action)]) + " " +
                   static_cast<TItem*>(item)->Name);
  };
  Fill("abc");
  TItem* b = list[1];
  TOwnedPtr<TItem> taken = list.Extract(b);
  ASSERT_EQ(taken.get(), b);
  EXPECT_EQ(b->GetIndex(), -1);
  EXPECT_EQ(b->OwnerList(), nullptr);
  EXPECT_EQ(list.Extract(b), nullptr);
  EXPECT_EQ(list.Remove(b), -1);
  list.Delete(0);
  EXPECT_EQ(Names(list), "c");
  EXPECT_EQ(seen, (std::vector<std::string>{"added a", "added b", "added c", "extracted b",
                                            "deleted a"}));
  // Another list can adopt it; DoCreate does not run again.
  TItems other;
  other.Add(std::move(taken));
  EXPECT_EQ(b->OwnerList(), &other);
  EXPECT_EQ(b->GetIndex(), 0);
  EXPECT_EQ(log.created, 3);
}

TEST_F(OwnedList, CopiesAreCreatedOfTheListsClassAndRenumberedOnceInserted) {
  Fill("xy");
  TItems copy;
  copy.Assign(list);
  copy.AddCopies(copy);  // into itself: each item once
  EXPECT_EQ(Names(copy), "x'y'x''y''");
  copy.Assign(copy);  // unchanged
  EXPECT_EQ(copy.Count(), 4);
  // Inserted copies are renumbered once at the end, each knowing its place when created.
  list.InsertCopies(copy, 1);
  EXPECT_EQ(Names(list), "xx''y''x'''y'''y");
  EXPECT_EQ(list[2]->IndexAtCreate, 2);
  EXPECT_EQ(list.IndexUpdateLock(), 0);
}

// The handler, the positions of empty slots and the index update lock share one rarely made part:
// each must keep working while the others come and go.
TEST_F(OwnedList, TheHandlerIsSetReplacedAndClearedWhileEmptySlotsComeAndGo) {
  std::string seen;
  EXPECT_FALSE(list.OnNotify);
  list.OnNotify = [&](TOwnedList&, TOwnedListObject* item, TListNotification) {
    seen += static_cast<TItem*>(item)->Name;
  };
  ASSERT_TRUE(list.OnNotify);
  Fill("ab");
  list.Insert(1, nullptr);  // positions are stored beside the handler
  list.OnNotify = [&](TOwnedList&, TOwnedListObject* item, TListNotification) {
    seen += "+" + static_cast<TItem*>(item)->Name;
  };
  Fill("c");
  list.OnNotify(list, list[0], TListNotification::Added);  // called as a function
  list.OnNotify = nullptr;                                 // the positions stay
  EXPECT_FALSE(list.OnNotify);
  Fill("d");
  EXPECT_EQ(Names(list), "a-bcd");
  EXPECT_EQ(list.IndexOf(nullptr), 1);
  list.Delete(1);  // dense again: the positions go, and with them the last rare member
  EXPECT_EQ(list.IndexOf(nullptr), -1);
  list.OnNotify = [&](TOwnedList&, TOwnedListObject* item, TListNotification) {
    seen += "!" + static_cast<TItem*>(item)->Name;
  };
  list.Delete(0);
  EXPECT_EQ(seen, "ab+c+a!a");
  EXPECT_EQ(Names(list), "bcd");
}

TEST_F(OwnedList, CopiesTakeTheItemsButNotTheHandler) {
  int notified = 0;
  list.OnNotify = [&](TOwnedList&, TOwnedListObject*, TListNotification) { ++notified; };
  Fill("ab");
  list.Insert(1, nullptr);
  TItems copy;
  copy.Assign(list);  // only the items present are copied
  EXPECT_FALSE(copy.OnNotify);
  EXPECT_EQ(Names(copy), "a'b'");
  copy.Insert(0, nullptr);
  copy.Delete(0);
  EXPECT_EQ(notified, 2);
  list.Assign(copy);  // the handler sees the old items go and the copies come
  EXPECT_EQ(Names(list), "a''b''");
  EXPECT_EQ(notified, 2 + 2 + 2);
}

TEST_F(OwnedList, TheIndexUpdateLockHoldsWhileEmptySlotsComeAndGo) {
  Fill("abc");
  list.BeginIndexUpdate();
  list.BeginIndexUpdate();
  list.Insert(0, nullptr);  // no renumbering while locked
  EXPECT_EQ(list[1]->GetIndex(), 0);
  list.Delete(0);  // dense again; the lock stays
  EXPECT_EQ(list.IndexUpdateLock(), 2);
  list.Insert(3, nullptr);
  list.Exchange(0, 3);
  EXPECT_EQ(list[3]->GetIndex(), 0);
  list.EndIndexUpdate();
  EXPECT_EQ(list[3]->GetIndex(), 0);
  list.EndIndexUpdate();  // the last release renumbers
  EXPECT_EQ(list.IndexUpdateLock(), 0);
  EXPECT_EQ(Names(list), "-bca");
  list.EndIndexUpdate();  // more releases than locks change nothing
  EXPECT_EQ(list.IndexUpdateLock(), 0);
}

// A list holding empty slots only keeps its count with no item room; giving room back or clearing
// must not lose or leave slots.
TEST_F(OwnedList, AListOfEmptySlotsOnlyKeepsItsCountThroughCompactAndClear) {
  list.Compact();  // nothing to give back
  list.Insert(0, nullptr);
  list.Insert(0, nullptr);
  list.Compact();
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.ItemCount(), 0);
  EXPECT_EQ(list.IndexOf(nullptr), 0);
  EXPECT_EQ(list.GetItem(1), nullptr);
  list.Reserve(8);
  Fill("a");
  list.Delete(0);
  list.Delete(0);
  EXPECT_EQ(Names(list), "a");  // the last empty slot gone: dense again
  list.Insert(0, nullptr);
  list.Delete(1);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  Fill("b");
  EXPECT_EQ(Names(list), "b");
  EXPECT_EQ(log.destroyed, 1);
}

// Freed with each mix of the rarely used members (the sanitizers see what is left behind).
TEST(OwnedListRarePart, ListsAreFreedWithAndWithoutIt) {
  for (const std::string layout : {"", "ab", "a-b", "--", "ab!", "a-b!", "ab#", "-#!"}) {
    THookLog log;
    int notified = 0;
    {
      TItems list;
      for (const char c : layout) {
        if (c == '-')
          list.Insert(list.Count(), nullptr);
        else if (c == '!')
          list.OnNotify = [&](TOwnedList&, TOwnedListObject*, TListNotification) { ++notified; };
        else if (c == '#')
          list.BeginIndexUpdate();
        else
          list.AddNew(&log, std::string(1, c));
      }
    }
    EXPECT_EQ(log.destroyed, log.created) << layout;
    EXPECT_EQ(notified, 0) << layout;
  }
}

// Lists with empty slots store only their items; every operation must answer as a list with a
// slot per position would. Random steps are replayed on a plain vector of names ("-" = empty).
TEST_F(OwnedList, EmptySlotsBehaveAsSlotsUnderEveryOperation) {
  std::mt19937 random(20261206);
  std::vector<std::string> expected;
  int made = 0;
  auto pick = [&random](std::size_t n) {
    return static_cast<std::int32_t>(std::uniform_int_distribution<std::size_t>(0, n - 1)(random));
  };
  for (int step = 0; step < 3000; ++step) {
    const std::size_t n = expected.size();
    const int op = pick(6);
    if (op == 0) {  // an item inserted anywhere
      const std::int32_t at = pick(n + 1);
      list.InsertNew(at, &log, std::to_string(made));
      expected.insert(expected.begin() + at, std::to_string(made++));
    } else if (op == 1) {  // empty slots inserted anywhere
      const std::int32_t at = pick(n + 1), gaps = 1 + pick(3);
      for (int i = 0; i < gaps; ++i) list.Insert(at, nullptr);
      expected.insert(expected.begin() + at, gaps, "-");
    } else if (n == 0) {
      continue;
    } else if (op == 2) {
      const std::int32_t at = pick(n);
      list.Delete(at);
      expected.erase(expected.begin() + at);
    } else if (op == 3) {
      const std::int32_t a = pick(n), b = pick(n);
      list.Exchange(a, b);
      std::swap(expected[a], expected[b]);
    } else if (op == 4) {
      const std::int32_t from = pick(n), to = pick(n);
      list.Move(from, to);
      const std::string moved = expected[from];
      expected.erase(expected.begin() + from);
      expected.insert(expected.begin() + to, moved);
    } else if (const std::int32_t at = pick(n); list[at] != nullptr) {
      ASSERT_EQ(list.Extract(list[at])->GetIndex(), -1);
      expected.erase(expected.begin() + at);
    }
    std::string want;
    for (const std::string& name : expected) want += name + ",";
    ASSERT_EQ(Names(list, ","), want) << "step " << step;
    ASSERT_EQ(list.ItemCount(), std::count_if(expected.begin(), expected.end(),
                                              [](const std::string& s) { return s != "-"; }));
    for (std::int32_t i = 0; i < list.Count(); ++i) {
      if (list[i]) {
        ASSERT_EQ(list.IndexOf(list[i]), i) << "step " << step;
      }
    }
    // The first empty slot is where a null item is found.
    const auto gap = std::find(expected.begin(), expected.end(), "-");
    ASSERT_EQ(list.IndexOf(nullptr), gap == expected.end() ? -1 : gap - expected.begin());
  }
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(log.destroyed, log.created);
}

// An item that checks, while it dies, that the list it leaves answers as a list would.
class TProbeItem : public TOwnedListObject {
 public:
  explicit TProbeItem(std::vector<std::string>* seen) : seen_(seen) {}
  std::unique_ptr<TOwnedListObject> NewInstance() const override {
    return std::make_unique<TProbeItem>(seen_);
  }

 protected:
  void DoDestroy() override {
    const TOwnedList& list = *OwnerList();
    std::string state = std::to_string(list.Count()) + "/" + std::to_string(list.ItemCount());
    for (std::int32_t i = 0; i < list.Count(); ++i)
      if (TOwnedListObject* item = list.GetItem(i); item && item->GetIndex() != i) state += " bad";
    seen_->push_back(state);
  }

 private:
  std::vector<std::string>* seen_;
};

TEST(OwnedListDying, AListWithEmptySlotsStaysWholeWhileItsItemsLeave) {
  std::vector<std::string> seen;
  {
    TOwnedListOf<TProbeItem> list;
    for (const char c : std::string("a--bb-c--")) {
      if (c == '-')
        list.Insert(list.Count(), nullptr);
      else
        list.AddNew(&seen);
    }
  }
  // Each leaves from the end: the list ends where the item was.
  EXPECT_EQ(seen, (std::vector<std::string>{"6/3", "4/2", "3/1", "0/0"}));
}

// A list keeping its items' list in blocks, as a row's cell list does.
class TBlockItems : public TItems {
 public:
  TItemBlocks* Blocks = nullptr;

 protected:
  TItemBlocks* SlotBlocks() const override { return Blocks; }
};

TEST(OwnedListSlots, TheItemListMovesBetweenBlocksAndHeapAndOutlivesTheBlocks) {
  THookLog log;
  TBlockItems list;
  auto blocks = std::make_unique<TItemBlocks>();
  list.Blocks = blocks.get();
  std::string names;
  for (int i = 0; i < 100; ++i) {  // past the largest block item: the heap
    names += static_cast<char>('0' + i % 10);
    list.AddNew(&log, names.substr(names.size() - 1));
  }
  for (int i = 0; i < 97; ++i) list.Delete(0);
  list.Compact();  // three items: back into the blocks
  EXPECT_EQ(Names(list), names.substr(97));
  blocks.reset();  // the list's room stays until the list gives it back
  list.Blocks = nullptr;
  list.InsertNew(1, &log, "x");
  list.Compact();
  EXPECT_EQ(Names(list), "7x89");
  list.Clear();
  list.Compact();
  EXPECT_EQ(list.ItemCount(), 0);
  EXPECT_EQ(log.destroyed, 101);
}

// Room reserved changes nothing the list shows: a reserve smaller than the list, or none, is
// ignored, and the list grows past a reserve as it does without one, in blocks or on the heap.
TEST(OwnedListSlots, ReservedRoomKeepsItemsAndPositionsAndTheListGrowsPastIt) {
  THookLog log;
  auto blocks = std::make_unique<TItemBlocks>();
  TBlockItems list;
  list.Blocks = blocks.get();
  list.Reserve(4);
  list.AddNew(&log, "a");
  list.Insert(list.Count(), nullptr);
  list.AddNew(&log, "b");
  for (const std::int32_t count : {0, -1, 2, 3, 200}) list.Reserve(count);
  EXPECT_EQ(Names(list), "a-b");
  std::string names = "a-b";
  for (int i = 0; i < 300; ++i) {
    names += static_cast<char>('0' + i % 10);
    list.AddNew(&log, names.substr(names.size() - 1));
  }
  list.InsertNew(1, &log, "x");
  EXPECT_EQ(Names(list), names.insert(1, "x"));
  EXPECT_EQ(list.ItemCount(), 303);
}

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

// A disowned set of blocks (a workbook being freed) keeps no released room for reuse, and a
// block lives on while an item in it does.
TEST(ItemBlocksTest, DisownedBlocksGoWhenTheirLastItemDoes) {
  TItemBlocks blocks;
  auto* first = static_cast<std::uint64_t*>(blocks.Allocate(8));
  auto* kept = static_cast<std::uint64_t*>(blocks.Allocate(8));
  *kept = 42;
  blocks.Disown();
  TItemBlocks::Release(first, 8);
  EXPECT_EQ(TItemBlocks::OwnerOf(kept), nullptr);
  void* fresh = blocks.Allocate(8);  // a new block: the released room is not used again
  EXPECT_NE(fresh, first);
  EXPECT_EQ(TItemBlocks::OwnerOf(fresh), &blocks);
  EXPECT_EQ(*kept, 42u);
  TItemBlocks::Release(kept, 8);
  TItemBlocks::Release(fresh, 8);
}

// The indexed list has no caller in the product yet: one check per behaviour.
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

// The index holds each Id once, ascending, with the list of the items carrying it.
TEST(IndexedOwnedList, TheIdIndexHoldsEachIdOnceAscending) {
  TEntries list;
  Fill(list, {5, 1, 5, 3});
  const TIntegerObjectList& index = list.IdIndex();
  ASSERT_EQ(index.Count(), 3);
  EXPECT_EQ((std::vector{index.GetKey(0), index.GetKey(1), index.GetKey(2)}),
            (std::vector{1, 3, 5}));
  list[0]->SetId(1);
  list.Delete(2);
  ASSERT_EQ(index.Count(), 2);
  EXPECT_EQ(index.GetKey(1), 3);
  EXPECT_EQ(list.IndexOfId(1), 0);
  EXPECT_EQ(list.FindById(5), nullptr);
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
