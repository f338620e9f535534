#include "workbook/core/indexed_owned_list.h"

#include <functional>

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

// The items carrying one Id, by address.
class TIndexedOwnedList::TIdItems : public TObject {
 public:
  struct TAddressTraits {
    static int Compare(const TIndexedOwnedListObject* a, const TIndexedOwnedListObject* b) {
      const std::less<const TIndexedOwnedListObject*> before;
      return before(a, b) ? -1 : (before(b, a) ? 1 : 0);
    }
    static constexpr const char* DuplicateMessage = "Item list does not allow duplicates";
  };
  TValueList<TIndexedOwnedListObject*, TAddressTraits> Items{TDuplicates::Ignore,
                                                             TListSortType::Ascending};
};

TIndexedOwnedList::~TIndexedOwnedList() {
  // The items go later, with the base list, which no longer reports them here.
  for (std::int32_t pos = 0; pos < id_index_.Count(); ++pos) delete &ItemsAt(pos);
}

TIndexedOwnedList::TIdItems& TIndexedOwnedList::ItemsAt(std::int32_t pos) const {
  return *static_cast<TIdItems*>(id_index_.GetObject(pos));
}

void TIndexedOwnedList::Enter(TIndexedOwnedListObject* item, std::int32_t id) {
  const std::int32_t pos = id_index_.Add(id);
  if (!id_index_.GetObject(pos)) id_index_.SetObject(pos, std::make_unique<TIdItems>().release());
  ItemsAt(pos).Items.Add(item);
}

void TIndexedOwnedList::Leave(TIndexedOwnedListObject* item, std::int32_t id) {
  const std::int32_t pos = id_index_.IndexOf(id);
  if (pos < 0) return;
  TIdItems& items = ItemsAt(pos);
  items.Items.Remove(item);
  if (items.Items.Count() > 0) return;
  delete &items;
  id_index_.Delete(pos);
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
  const std::int32_t pos = id_index_.IndexOf(id);
  if (pos < 0) return -1;
  const TIdItems& items = ItemsAt(pos);
  std::int32_t best = -1;
  for (std::int32_t k = 0; k < items.Items.Count(); ++k) {
    const std::int32_t at = IndexOf(items.Items[k]);
    if (at >= 0 && (best < 0 || at < best)) best = at;
  }
  return best;
}

TIndexedOwnedListObject* TIndexedOwnedList::FindById(std::int32_t id) const {
  const std::int32_t pos = IndexOfId(id);
  return pos < 0 ? nullptr : static_cast<TIndexedOwnedListObject*>(GetItem(pos));
}

std::int32_t TIndexedOwnedList::GetMaxId() const {
  return id_index_.Count() == 0 ? -1 : id_index_.GetKey(id_index_.Count() - 1);
}

void TIndexedOwnedList::AddMissingCopies(const TIndexedOwnedList& source) {
  std::vector<const TIndexedOwnedListObject*> originals;
  for (std::int32_t i = 0; i < source.Count(); ++i)
    if (auto* item = dynamic_cast<const TIndexedOwnedListObject*>(source.GetItem(i)))
      originals.push_back(item);
  // Checked as the copies go in: of two source items sharing an Id only the first is copied.
  for (const TIndexedOwnedListObject* original : originals)
    if (id_index_.IndexOf(original->Id()) < 0) AddCopy(*original, -1);
}

}  // namespace workbook
