#include "workbook/core/owned_list.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <numeric>

#include "workbook/core/list_error.h"

namespace workbook {

// A million cells pay for this base each: the virtual table, the list and the position only.
static_assert(sizeof(TOwnedListObject) <= 3 * sizeof(void*));

void TOwnedListObjectDeleter::operator()(TOwnedListObject* item) const {
  item->DoDestroy();
  const std::size_t grains = item->block_grains_;
  if (grains == 0) {
    delete item;
    return;
  }
  item->~TOwnedListObject();
  TItemBlocks::Release(item, grains * TItemBlocks::kGrain);
}

// --- TOwnedListObject ---

TObject* TOwnedListObject::GetListOwner() const {
  return owner_list_ ? owner_list_->Owner() : nullptr;
}

void TOwnedListObject::MoveTo(std::int32_t curIndex, std::int32_t newIndex) {
  if (owner_list_) owner_list_->Move(curIndex, newIndex);
}

void TOwnedListObject::Free() {
  if (!owner_list_ || index_ < 0) RaiseListIndexError(-1);
  owner_list_->Remove(this);
}

void TOwnedListObject::AssignTo(TPersistent&) const {}

void TOwnedListObject::Abandon(TOwnedList& list, TOwnedListObject& item) { list.Remove(&item); }

void TOwnedListObject::Join(TOwnedList& list, std::int64_t pos, TOwnedListObject* item) {
  if (pos < 0) pos = 0;
  if (pos > list.Count()) pos = list.Count();
  list.Insert(pos, TOwnedPtr<TOwnedListObject>(item));
  try {
    item->DoCreate();
  } catch (...) {
    Abandon(list, *item);
    throw;
  }
}

// --- TOwnedList::TNotifySlot ---

TOwnedList::TNotifySlot& TOwnedList::TNotifySlot::operator=(TNotifyHandler handler) {
  if (handler) {
    Rare().Handler = std::move(handler);
  } else if (rare_) {
    rare_->Handler = nullptr;
    ReleaseIfUnused();
  }
  return *this;
}

TOwnedList::TNotifySlot::TRarePart& TOwnedList::TNotifySlot::Rare() {
  if (!rare_) rare_ = std::make_unique<TRarePart>();
  return *rare_;
}

void TOwnedList::TNotifySlot::ReleaseIfUnused() {
  if (!rare_->Handler && rare_->Positions.empty() && rare_->IndexUpdateLock == 0) rare_.reset();
}

// --- TOwnedList ---

// Every row holds a cell list: the virtual table, the slot of the rarely used parts, the owner and
// the items with their count.
static_assert(sizeof(TOwnedList) <= 4 * sizeof(void*));

const TOwnedList::TSlots TOwnedList::kNoSlots{0, 0, 0, 0};

TOwnedList::~TOwnedList() {
  // The handler usually belongs to the list's owner, which is being torn down around the list,
  // and so is whatever a descendant keeps per item: the items just go, the last first, each out
  // of the list (but still naming it) when its DoDestroy runs.
  if (OnNotify.rare_) OnNotify.rare_->Handler = nullptr;
  while (Size() > 0) {
    const std::size_t last = Size() - 1;
    const std::int32_t pos = PositionAt(last);
    TOwnedListObject* item = Items()[last];
    if (!Dense()) Positions().pop_back();
    slots_->Count = pos;
    DropPositionsIfDense();
    item->index_ = -1;
    TOwnedListObjectDeleter()(item);
  }
  FreeSlots();
}

namespace {

// Lists start with room for a few items and double (PutSlot); one that is done gives back the
// rest.
constexpr std::size_t kFirstCapacity = 4;

}  // namespace

void TOwnedList::Reallocate(std::size_t capacity) {
  const std::size_t size = Size();
  if (capacity < size) capacity = size;
  if (capacity > (std::size_t{1} << 30) - 1) throw std::bad_alloc();
  const std::size_t bytes = sizeof(TSlots) + capacity * sizeof(TOwnedListObject*);
  TItemBlocks* blocks = bytes <= TItemBlocks::kLargest ? SlotBlocks() : nullptr;
  void* room = blocks ? blocks->Allocate(bytes) : std::malloc(bytes);
  if (!room) throw std::bad_alloc();
  auto* fresh = new (room) TSlots{slots_->Count, static_cast<std::uint32_t>(capacity),
                                  blocks != nullptr, slots_->Sparse};
  if (size > 0) std::memcpy(fresh->Items(), Items(), size * sizeof(TOwnedListObject*));
  FreeSlots();
  slots_ = fresh;
}

void TOwnedList::FreeSlots() noexcept {
  if (!OwnsSlots()) return;
  if (slots_->InBlocks)
    TItemBlocks::Release(slots_, sizeof(TSlots) + slots_->Capacity * sizeof(TOwnedListObject*));
  else
    std::free(slots_);
  slots_ = const_cast<TSlots*>(&kNoSlots);
}

void TOwnedList::Reserve(std::int32_t count) {
  if (count > 0 && static_cast<std::uint32_t>(count) > slots_->Capacity)
    Reallocate(static_cast<std::size_t>(count));
}

void TOwnedList::Compact() {
  if (OnNotify.rare_) OnNotify.rare_->Positions.shrink_to_fit();
  if (slots_->Capacity == Size()) return;
  // An empty list needs no room at all; one of empty slots only keeps a header for its count.
  if (Count() == 0) return FreeSlots();
  Reallocate(Size());
}

void TOwnedList::InsertEntry(std::size_t entry, std::size_t size, TOwnedListObject* item) {
  TOwnedListObject** items = slots_->Items();
  std::memmove(items + entry + 1, items + entry, (size - entry) * sizeof(TOwnedListObject*));
  items[entry] = item;
}

TOwnedListObject* TOwnedList::EraseEntry(std::size_t entry, std::size_t size) {
  TOwnedListObject** items = slots_->Items();
  TOwnedListObject* item = items[entry];
  std::memmove(items + entry, items + entry + 1, (size - entry - 1) * sizeof(TOwnedListObject*));
  return item;
}

void TOwnedList::CheckIndex(std::int64_t pos) const {
  if (pos < 0 || pos >= Count()) RaiseListIndexError(pos);
}

std::size_t TOwnedList::EntryOf(std::int64_t pos) const {
  if (Dense()) return static_cast<std::size_t>(std::min<std::int64_t>(pos, Count()));
  const std::span<const std::int32_t> positions = StoredPositions();
  return static_cast<std::size_t>(std::lower_bound(positions.begin(), positions.end(), pos) -
                                  positions.begin());
}

TOwnedListObject* TOwnedList::GetItem(std::int64_t pos) const {
  CheckIndex(pos);
  if (Dense()) return Items()[pos];
  const std::size_t entry = EntryOf(pos);
  return HasEntryAt(entry, pos) ? Items()[entry] : nullptr;
}

void TOwnedList::ShiftPositions(std::size_t entry, std::int32_t delta) {
  if (!OnNotify.rare_) return;
  std::vector<std::int32_t>& positions = OnNotify.rare_->Positions;
  for (std::size_t k = entry; k < positions.size(); ++k) positions[k] += delta;
}

void TOwnedList::StorePositions() {
  if (!OwnsSlots()) Reallocate(0);
  if (const std::size_t size = Size(); size > 0) {
    std::vector<std::int32_t>& positions = Positions();
    positions.resize(size);
    std::iota(positions.begin(), positions.end(), 0);
  }
  slots_->Sparse = 1;
}

void TOwnedList::DropPositionsIfDense() {
  if (Dense() || StoredPositions().size() != static_cast<std::size_t>(Count())) return;
  slots_->Sparse = 0;
  if (!OnNotify.rare_) return;
  std::vector<std::int32_t>().swap(OnNotify.rare_->Positions);
  OnNotify.ReleaseIfUnused();
}

void TOwnedList::PadWithEmptySlots(std::int32_t count) {
  if (count <= Count()) return;
  if (Dense()) StorePositions();
  slots_->Count = count;
}

void TOwnedList::Renumber(std::size_t fromEntry) {
  if (IndexUpdateLock() > 0) return;
  TOwnedListObject** items = Items();
  for (std::size_t k = fromEntry; k < Size(); ++k) items[k]->index_ = PositionAt(k);
}

void TOwnedList::Notify(TOwnedListObject* item, TListNotification action) {
  if (OnNotify) OnNotify(*this, item, action);
}

void TOwnedList::PutSlot(std::int64_t pos, TOwnedPtr<TOwnedListObject> item) {
  TOwnedListObject* raw = item.get();
  // The room first: nothing has changed when it cannot be had.
  const std::size_t size = Size();
  if (raw && size == slots_->Capacity) Reallocate(std::max(kFirstCapacity, 2 * size));
  // An item appended to a list without empty slots, as readers make every cell.
  if (raw && Dense() && pos == slots_->Count) {
    slots_->Items()[slots_->Count++] = item.release();
    raw->owner_list_ = this;
    raw->index_ = static_cast<std::int32_t>(pos);
    return;
  }
  const std::size_t entry = EntryOf(pos);
  if (!Dense() || !raw) {
    if (Dense()) StorePositions();
    ShiftPositions(entry, 1);
    if (raw) {
      std::vector<std::int32_t>& positions = Positions();
      positions.insert(positions.begin() + static_cast<std::ptrdiff_t>(entry),
                       static_cast<std::int32_t>(pos));
    }
  }
  if (raw) {
    InsertEntry(entry, size, raw);
    item.release();
  }
  ++slots_->Count;
  if (!raw) return Renumber(entry);
  raw->owner_list_ = this;
  raw->index_ = static_cast<std::int32_t>(pos);
  Renumber(entry + 1);
}

TOwnedPtr<TOwnedListObject> TOwnedList::TakeSlot(std::int64_t pos) {
  const std::size_t entry = EntryOf(pos);
  TOwnedPtr<TOwnedListObject> item;
  if (HasEntryAt(entry, pos)) {
    item.reset(EraseEntry(entry, Size()));
    if (!Dense()) {
      std::vector<std::int32_t>& positions = Positions();
      positions.erase(positions.begin() + static_cast<std::ptrdiff_t>(entry));
    }
  }
  ShiftPositions(entry, -1);
  --slots_->Count;
  // Every slot left holds an item again: positions go without saying.
  DropPositionsIfDense();
  Renumber(entry);
  return item;
}

std::int32_t TOwnedList::Add(TOwnedPtr<TOwnedListObject> item) {
  const std::int32_t pos = Count();
  Insert(pos, std::move(item));
  return pos;
}

void TOwnedList::Insert(std::int64_t pos, TOwnedPtr<TOwnedListObject> item) {
  if (pos < 0 || pos > Count()) RaiseListIndexError(pos);
  TOwnedListObject* raw = item.get();
  PutSlot(pos, std::move(item));
  if (raw) Notify(raw, TListNotification::Added);
}

void TOwnedList::Delete(std::int64_t pos) {
  CheckIndex(pos);
  // Out of the list before anything else runs, so that handlers and DoDestroy see a consistent
  // list; the item still names the list it left.
  TOwnedPtr<TOwnedListObject> item = TakeSlot(pos);
  if (!item) return;
  ItemDeleting(*item, pos);
  item->index_ = -1;
  Notify(item.get(), TListNotification::Deleted);
}

void TOwnedList::EmptySlot(std::int64_t pos) {
  CheckIndex(pos);
  TOwnedPtr<TOwnedListObject> item = TakeSlot(pos);
  PutSlot(pos, nullptr);
  if (!item) return;
  ItemDeleting(*item, pos);
  item->index_ = -1;
  Notify(item.get(), TListNotification::Deleted);
}

TOwnedPtr<TOwnedListObject> TOwnedList::Extract(const TOwnedListObject* item) {
  const std::int32_t pos = IndexOf(item);
  if (pos < 0 || !item) return nullptr;
  TOwnedPtr<TOwnedListObject> taken = TakeSlot(pos);
  taken->owner_list_ = nullptr;
  taken->index_ = -1;
  Notify(taken.get(), TListNotification::Extracted);
  return taken;
}

std::int32_t TOwnedList::Remove(const TOwnedListObject* item) {
  const std::int32_t pos = IndexOf(item);
  if (pos >= 0) Delete(pos);
  return pos;
}

std::int32_t TOwnedList::IndexOf(const TOwnedListObject* item) const {
  if (!item) {
    // The first empty slot, as the pointer list answers for null.
    if (Dense()) return -1;
    const std::span<const std::int32_t> positions = StoredPositions();
    for (std::size_t k = 0; k < positions.size(); ++k)
      if (positions[k] != static_cast<std::int32_t>(k)) return static_cast<std::int32_t>(k);
    return static_cast<std::int32_t>(positions.size()) < Count()
               ? static_cast<std::int32_t>(positions.size())
               : -1;
  }
  if (item->owner_list_ == this && item->index_ >= 0 && item->index_ < Count()) {
    const std::size_t entry = EntryOf(item->index_);
    if (HasEntryAt(entry, item->index_) && Items()[entry] == item) return item->index_;
  }
  for (std::size_t k = 0; k < Size(); ++k)
    if (Items()[k] == item) return PositionAt(k);
  return -1;
}

void TOwnedList::Exchange(std::int64_t a, std::int64_t b) {
  CheckIndex(a);
  CheckIndex(b);
  if (a == b) return;
  const std::size_t ea = EntryOf(a);
  const std::size_t eb = EntryOf(b);
  const bool hasA = HasEntryAt(ea, a);
  const bool hasB = HasEntryAt(eb, b);
  if (hasA && hasB) {
    TOwnedListObject** items = Items();
    std::swap(items[ea], items[eb]);
    if (IndexUpdateLock() > 0) return;
    items[ea]->index_ = static_cast<std::int32_t>(a);
    items[eb]->index_ = static_cast<std::int32_t>(b);
  } else if (hasA || hasB) {
    // One item moves into an empty slot: its entry moves to its new place in the order.
    const std::size_t from = hasA ? ea : eb;
    const std::int64_t to = hasA ? b : a;
    const std::size_t size = Size();
    std::vector<std::int32_t>& positions = Positions();
    TOwnedListObject* item = EraseEntry(from, size);
    positions.erase(positions.begin() + static_cast<std::ptrdiff_t>(from));
    const std::size_t entry = EntryOf(to);
    if (IndexUpdateLock() == 0) item->index_ = static_cast<std::int32_t>(to);
    InsertEntry(entry, size - 1, item);
    positions.insert(positions.begin() + static_cast<std::ptrdiff_t>(entry),
                     static_cast<std::int32_t>(to));
  }
}

void TOwnedList::Move(std::int64_t curIndex, std::int64_t newIndex) {
  if (curIndex == newIndex) return;
  CheckIndex(newIndex);
  CheckIndex(curIndex);
  PutSlot(newIndex, TakeSlot(curIndex));
}

void TOwnedList::Clear() {
  while (Size() > 0) Delete(PositionAt(Size() - 1));
  if (Count() == 0) return;
  slots_->Count = 0;  // empty slots only
  DropPositionsIfDense();
}

void TOwnedList::Assign(const TOwnedList& source) {
  if (&source == this) return;
  Clear();
  AddCopies(source);
}

void TOwnedList::AddCopies(const TOwnedList& source) {
  AddCopiesWith(source, -1, [](const TOwnedListObject& o) { return o.NewInstance().release(); });
}

void TOwnedList::InsertCopies(const TOwnedList& source, std::int64_t pos) {
  if (pos < 0 || pos > Count()) RaiseListIndexError(pos);
  BeginIndexUpdate();
  try {
    AddCopiesWith(source, pos, [](const TOwnedListObject& o) { return o.NewInstance().release(); });
  } catch (...) {
    EndIndexUpdate();
    throw;
  }
  EndIndexUpdate();
}

void TOwnedList::EndIndexUpdate() {
  if (IndexUpdateLock() == 0) return;
  if (--OnNotify.rare_->IndexUpdateLock > 0) return;
  OnNotify.ReleaseIfUnused();
  Renumber(0);
}

}  // namespace workbook
