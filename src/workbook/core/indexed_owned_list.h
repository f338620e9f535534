#pragma once
// Owning lists whose items carry an integer Id and are found by it (number formats, fills and
// other style entries keyed by an Id).
#include <cstdint>
#include <memory>

#include "workbook/core/integer_object_list.h"
#include "workbook/core/owned_list.h"

namespace workbook {

class TIndexedOwnedListObject : public TOwnedListObject {
 public:
  std::int32_t Id() const { return id_; }
  // Moves the item to its new id in its list's index.
  void SetId(std::int32_t id);
  // A copy takes the Id through SetId.
  void AssignTo(TPersistent& dest) const override;

 private:
  std::int32_t id_ = 0;
};

class TIndexedOwnedList : public TOwnedList {
 public:
  using TOwnedList::TOwnedList;
  ~TIndexedOwnedList() override;

  // Each Id present, ascending, with the list of the items carrying it as its object.
  const TIntegerObjectList& IdIndex() const { return id_index_; }

  // The item with that id (the first in list order when several share it), null when none.
  TIndexedOwnedListObject* FindById(std::int32_t id) const;
  // Its position, -1 when none.
  std::int32_t IndexOfId(std::int32_t id) const;
  // The largest Id present, -1 when the list is empty.
  std::int32_t GetMaxId() const;
  // Copies (same class, Assign) of the source items whose Id is not present yet.
  void AddMissingCopies(const TIndexedOwnedList& source);

 protected:
  // Every way into and out of the list passes here, extraction included, so the index never
  // holds an item the list no longer has.
  void Notify(TOwnedListObject* item, TListNotification action) override;

 private:
  friend class TIndexedOwnedListObject;
  class TIdItems;
  void Enter(TIndexedOwnedListObject* item, std::int32_t id);
  void Leave(TIndexedOwnedListObject* item, std::int32_t id);
  TIdItems& ItemsAt(std::int32_t pos) const;

  // The list owns the objects of its index (one per Id present).
  TIntegerObjectList id_index_{TDuplicates::Ignore, TListSortType::Ascending};
};

template <class T, class TOwner = TObject>
class TIndexedOwnedListOf : public TOwnedListOf<T, TOwner, TIndexedOwnedList> {
  static_assert(std::derived_from<T, TIndexedOwnedListObject>);

 public:
  using TOwnedListOf<T, TOwner, TIndexedOwnedList>::TOwnedListOf;
  T* FindById(std::int32_t id) const { return static_cast<T*>(TIndexedOwnedList::FindById(id)); }
};

}  // namespace workbook
