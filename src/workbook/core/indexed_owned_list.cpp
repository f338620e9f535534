#include "workbook/core/indexed_owned_list.h"

#include <algorithm>

namespace workbook {

void TIndexedOwnedListObject::SetId(std::int32_t id) {
  if (id == id_) return;
  const std::int32_t old = id_;
  id_ = id;
  auto* list = dynamic_cast<TIndexedOwnedList*>(OwnerList());
  if (list && GetIndex() >= 0) {
    list->Leave(this, old);
    list->Enter(this, id);
  }
}

void TIndexedOwnedListObject::AssignTo(TPersistent& dest) const {
  if (auto* item = dynamic_cast<TIndexedOwnedListObject*>(&dest)) item->SetId(id_);
}

void TIndexedOwnedList::Enter(TIndexedOwnedListObject* item, std::int32_t id) {
  id_index_[id].push_back(item);
}

void TIndexedOwnedList::Leave(TIndexedOwnedListObject* item, std::int32_t id) {
  auto found = id_index_.find(id);
  if (found == id_index_.end()) return;
  std::erase(found->second, item);
  if (found->second.empty()) id_index_.erase(found);
}

void TIndexedOwnedList::Notify(TOwnedListObject* item, TListNotification action) {
  if (auto* indexed = dynamic_cast<TIndexedOwnedListObject*>(item)) {
    if (action == TListNotification::Added)
      Enter(indexed, indexed->Id());
    else
      Leave(indexed, indexed->Id());
  }
  TOwnedList::Notify(item, action);
}

std::int32_t TIndexedOwnedList::IndexOfId(std::int32_t id) const {
  auto found = id_index_.find(id);
  if (found == id_index_.end()) return -1;
  std::int32_t best = -1;
  for (const TIndexedOwnedListObject* item : found->second) {
    const std::int32_t pos = IndexOf(item);
    if (pos >= 0 && (best < 0 || pos < best)) best = pos;
  }
  return best;
}

TIndexedOwnedListObject* TIndexedOwnedList::FindById(std::int32_t id) const {
  const std::int32_t pos = IndexOfId(id);
  return pos < 0 ? nullptr : static_cast<TIndexedOwnedListObject*>(GetItem(pos));
}

std::int32_t TIndexedOwnedList::GetMaxId() const {
  return id_index_.empty() ? -1 : id_index_.rbegin()->first;
}

void TIndexedOwnedList::AddMissingCopies(const TIndexedOwnedList& source) {
  std::vector<const TIndexedOwnedListObject*> originals;
  for (std::int32_t i = 0; i < source.Count(); ++i)
    if (auto* item = dynamic_cast<const TIndexedOwnedListObject*>(source.GetItem(i)))
      originals.push_back(item);
  // Checked as the copies go in: of two source items sharing an Id only the first is copied.
  for (const TIndexedOwnedListObject* original : originals)
    if (!id_index_.contains(original->Id())) AddCopy(*original, -1);
}

}  // namespace workbook
