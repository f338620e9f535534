#include "workbook/core/owned_list.h"

#include <algorithm>

#include "workbook/core/list_error.h"

namespace workbook {

// A million cells pay for this base each: the virtual table, the list and the position only.
static_assert(sizeof(TOwnedListObject) <= 3 * sizeof(void*));

void TOwnedListObjectDeleter::operator()(TOwnedListObject* item) const {
  item->DoDestroy();
  delete item;
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

// --- TOwnedList ---

TOwnedList::~TOwnedList() {
  // The handler usually belongs to the list's owner, which is being torn down around the list.
  OnNotify = nullptr;
  Clear();
}

void TOwnedList::CheckIndex(std::int64_t pos) const {
  if (pos < 0 || pos >= Count()) RaiseListIndexError(pos);
}

TOwnedListObject* TOwnedList::GetItem(std::int64_t pos) const {
  CheckIndex(pos);
  return items_[static_cast<std::size_t>(pos)].get();
}

void TOwnedList::Renumber(std::size_t from) {
  if (index_update_lock_ > 0) return;
  for (std::size_t i = from; i < items_.size(); ++i)
    if (items_[i]) items_[i]->index_ = static_cast<std::int32_t>(i);
}

void TOwnedList::Notify(TOwnedListObject* item, TListNotification action) {
  if (OnNotify) OnNotify(*this, item, action);
}

std::int32_t TOwnedList::Add(TOwnedPtr<TOwnedListObject> item) {
  const std::int32_t pos = Count();
  Insert(pos, std::move(item));
  return pos;
}

void TOwnedList::Insert(std::int64_t pos, TOwnedPtr<TOwnedListObject> item) {
  if (pos < 0 || pos > Count()) RaiseListIndexError(pos);
  TOwnedListObject* raw = item.get();
  items_.insert(items_.begin() + pos, std::move(item));
  if (raw) {
    raw->owner_list_ = this;
    raw->index_ = static_cast<std::int32_t>(pos);
  }
  Renumber(static_cast<std::size_t>(pos) + 1);
  if (raw) Notify(raw, TListNotification::Added);
}

void TOwnedList::Delete(std::int64_t pos) {
  CheckIndex(pos);
  // Out of the list before anything else runs, so that handlers and DoDestroy see a consistent
  // list; the item still names the list it left.
  TOwnedPtr<TOwnedListObject> item = std::move(items_[static_cast<std::size_t>(pos)]);
  items_.erase(items_.begin() + pos);
  Renumber(static_cast<std::size_t>(pos));
  if (!item) return;
  item->index_ = -1;
  Notify(item.get(), TListNotification::Deleted);
}

TOwnedPtr<TOwnedListObject> TOwnedList::Extract(const TOwnedListObject* item) {
  const std::int32_t pos = IndexOf(item);
  if (pos < 0 || !item) return nullptr;
  TOwnedPtr<TOwnedListObject> taken = std::move(items_[static_cast<std::size_t>(pos)]);
  items_.erase(items_.begin() + pos);
  Renumber(static_cast<std::size_t>(pos));
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
  if (item && item->owner_list_ == this && item->index_ >= 0 && item->index_ < Count() &&
      items_[static_cast<std::size_t>(item->index_)].get() == item)
    return item->index_;
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i].get() == item) return static_cast<std::int32_t>(i);
  return -1;
}

void TOwnedList::Exchange(std::int64_t a, std::int64_t b) {
  CheckIndex(a);
  CheckIndex(b);
  std::swap(items_[static_cast<std::size_t>(a)], items_[static_cast<std::size_t>(b)]);
  if (index_update_lock_ > 0) return;
  if (items_[static_cast<std::size_t>(a)])
    items_[static_cast<std::size_t>(a)]->index_ = static_cast<std::int32_t>(a);
  if (items_[static_cast<std::size_t>(b)])
    items_[static_cast<std::size_t>(b)]->index_ = static_cast<std::int32_t>(b);
}

void TOwnedList::Move(std::int64_t curIndex, std::int64_t newIndex) {
  if (curIndex == newIndex) return;
  CheckIndex(newIndex);
  CheckIndex(curIndex);
  TOwnedPtr<TOwnedListObject> item = std::move(items_[static_cast<std::size_t>(curIndex)]);
  items_.erase(items_.begin() + curIndex);
  items_.insert(items_.begin() + newIndex, std::move(item));
  Renumber(static_cast<std::size_t>(std::min(curIndex, newIndex)));
}

void TOwnedList::Clear() {
  while (!items_.empty()) Delete(Count() - 1);
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
  if (index_update_lock_ == 0) return;
  if (--index_update_lock_ == 0) Renumber(0);
}

}  // namespace workbook
