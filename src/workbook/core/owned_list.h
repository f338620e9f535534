#pragma once
// Owning lists: the collections of the workbook model (worksheets, rows, cells, columns, drawings,
// style entries). A list owns its items; every item knows its list and its position in it, so a
// cell finds its row and its column without a search.
//
// Items are created and destroyed only through a list or a TOwnedPtr, never with plain new and
// delete: C++ does not dispatch virtual calls from constructors and destructors, so the hooks in
// which descendants build and release their members (DoCreate, DoDestroy) are called from outside:
// DoCreate right after an item is constructed and has joined its list, DoDestroy right before it
// is deleted, after it has left its list.
#include <concepts>
#include <cstdint>
#include <functional>
#include <iterator>
#include <memory>
#include <span>
#include <type_traits>
#include <utility>
#include <vector>

#include "workbook/core/item_blocks.h"
#include "workbook/core/list_notification.h"
#include "workbook/core/object.h"

namespace workbook {

class TOwnedList;
class TOwnedListObject;

// Destroys an item the way the model expects: its DoDestroy hook first, then the object.
struct TOwnedListObjectDeleter {
  void operator()(TOwnedListObject* item) const;
};

// An item outside any list (new, or extracted from one): its owner is this pointer.
template <class T>
using TOwnedPtr = std::unique_ptr<T, TOwnedListObjectDeleter>;

// The base of every list item. It holds only the way back to its list, so a million cells cost
// no more than a pointer and a position each here.
class TOwnedListObject : public TPersistent {
 public:
  TOwnedListObject() = default;
  TOwnedListObject(const TOwnedListObject&) = delete;
  TOwnedListObject& operator=(const TOwnedListObject&) = delete;

  // A new item in no list; its DoCreate has run.
  template <class T, class... Args>
  static TOwnedPtr<T> Create(Args&&... args);
  // A new item appended to list; DoCreate runs after it has joined, so it already sees its list,
  // the list's owner and its position.
  template <class T, class... Args>
  static T* CreateOwned(TOwnedList& list, Args&&... args);
  // The same, joining at pos clamped to 0..Count.
  template <class T, class... Args>
  static T* CreateInsert(TOwnedList& list, std::int64_t pos, Args&&... args);
  // The same, the item made in blocks.
  template <class T, class... Args>
  static T* CreateInsertIn(TItemBlocks& blocks, TOwnedList& list, std::int64_t pos, Args&&... args);

  // The list holding the item, null when none. While DoDestroy runs the item has left its list
  // (GetIndex() is -1) but still names it, so it can reach the list's owner to unregister itself.
  TOwnedList* OwnerList() const { return owner_list_; }
  // The position in OwnerList(), -1 when none.
  std::int32_t GetIndex() const { return index_; }
  // The owner of the item's list, null without a list.
  TObject* GetListOwner() const;
  // Moves the item's list entry curIndex to newIndex (the list's Move).
  void MoveTo(std::int32_t curIndex, std::int32_t newIndex);
  // Deletes the item from its list, which frees it. An item in no list belongs to its TOwnedPtr,
  // so this raises the list's index error for position -1.
  void Free();

  // The blocks the item was made in, while their owner lives; null for an item on the heap.
  TItemBlocks* Blocks() const { return block_grains_ ? TItemBlocks::OwnerOf(this) : nullptr; }

  // Copies of list items carry the source item's content only where a descendant says so.
  void AssignTo(TPersistent& dest) const override;
  // A new item of the same class, not yet created (its DoCreate has not run); list copies
  // (TOwnedList::AddCopies) make their items with it.
  virtual std::unique_ptr<TOwnedListObject> NewInstance() const = 0;

 protected:
  // Builds the members that need the item's list or position; runs once per item.
  virtual void DoCreate() {}
  // Releases what DoCreate built; runs once per item, after it has left its list. Must not throw.
  virtual void DoDestroy() {}

 private:
  friend class TOwnedList;
  friend struct TOwnedListObjectDeleter;
  static void RunDoCreate(TOwnedListObject& item) { item.DoCreate(); }
  // Undoes a half-built item whose DoCreate failed while it was in list.
  static void Abandon(TOwnedList& list, TOwnedListObject& item);
  // Puts a new item into list at pos clamped to 0..Count and runs its DoCreate.
  static void Join(TOwnedList& list, std::int64_t pos, TOwnedListObject* item);

  TOwnedList* owner_list_ = nullptr;
  std::int32_t index_ = -1;
  // The item's size in block grains when it lives in item blocks; 0 when on the heap.
  std::uint8_t block_grains_ = 0;
};

// The owning list. Slots may be empty (null), as in the run-time's pointer list. Only the items
// present are stored: a list with empty slots also keeps each item's position, so a row or a
// sheet used only far out costs what its items cost, not a slot per position.
class TOwnedList {
 public:
  using TNotifyHandler =
      std::function<void(TOwnedList& sender, TOwnedListObject* item, TListNotification action)>;
  // The handler's place. Every row has a cell list, and hardly any list has a handler, empty
  // slots or an index update lock: the slot keeps all three behind its one pointer, made on first
  // use and given back once none of them is left.
  class TNotifySlot {
   public:
    TNotifySlot() = default;
    TNotifySlot(const TNotifySlot&) = delete;
    TNotifySlot& operator=(const TNotifySlot&) = delete;
    TNotifySlot& operator=(TNotifyHandler handler);
    explicit operator bool() const { return rare_ && rare_->Handler; }
    void operator()(TOwnedList& sender, TOwnedListObject* item, TListNotification action) const {
      rare_->Handler(sender, item, action);
    }

   private:
    friend class TOwnedList;
    struct TRarePart {
      TNotifyHandler Handler;
      // Each item's position while some slot is empty; empty while item k sits at position k.
      std::vector<std::int32_t> Positions;
      std::int32_t IndexUpdateLock = 0;
    };
    TRarePart& Rare();
    // Gives the part back when it holds nothing any more.
    void ReleaseIfUnused();

    std::unique_ptr<TRarePart> rare_;
  };

  explicit TOwnedList(TObject* owner = nullptr)
      : owner_(owner), slots_(const_cast<TSlots*>(&kNoSlots)) {}
  // Frees every item, without notifications (OnNotify usually belongs to the owner, which is
  // being torn down around the list). A descendant whose own members must outlive its items'
  // DoDestroy calls Clear() in its destructor.
  virtual ~TOwnedList();
  TOwnedList(const TOwnedList&) = delete;
  TOwnedList& operator=(const TOwnedList&) = delete;

  // The object that owns the list (not owned by it; may be null).
  TObject* Owner() const { return owner_; }
  // Called for every added, extracted and deleted item, before a deleted item is freed.
  TNotifySlot OnNotify;

  std::int32_t Count() const { return slots_->Count; }
  // How many slots hold an item.
  std::int32_t ItemCount() const { return static_cast<std::int32_t>(Size()); }
  // The item at pos (null for an empty slot); EListError outside 0..Count-1.
  TOwnedListObject* GetItem(std::int64_t pos) const;

  // Appends item and returns its position.
  std::int32_t Add(TOwnedPtr<TOwnedListObject> item);
  // Inserts item at pos (0..Count) and renumbers the items after it.
  void Insert(std::int64_t pos, TOwnedPtr<TOwnedListObject> item);
  // Removes the item at pos and frees it.
  void Delete(std::int64_t pos);
  // Frees the item at pos and leaves its slot empty: the items after it keep their positions.
  void EmptySlot(std::int64_t pos);
  // Takes item out without freeing it; null when the list does not hold it.
  TOwnedPtr<TOwnedListObject> Extract(const TOwnedListObject* item);
  // Deletes item; returns its former position, -1 when the list does not hold it.
  std::int32_t Remove(const TOwnedListObject* item);
  // The item's position, -1 when absent.
  std::int32_t IndexOf(const TOwnedListObject* item) const;
  void Exchange(std::int64_t a, std::int64_t b);
  void Move(std::int64_t curIndex, std::int64_t newIndex);
  // Deletes every item, the last first.
  void Clear();
  // Room for count items: appending up to that many allocates nothing more (a reader that knows
  // how many items come). Never shrinks; the list still grows beyond it.
  void Reserve(std::int32_t count);
  // Gives back the room kept for items to come (a list that is done growing).
  void Compact();

  // Clear, then AddCopies.
  void Assign(const TOwnedList& source);
  template <class U>
  void AssignAs(const TOwnedList& source);
  // For every item of source a new item of the same class is appended and takes its content.
  void AddCopies(const TOwnedList& source);
  // The same with every new item of class U.
  template <class U>
  void AddCopiesAs(const TOwnedList& source);
  // Copies of Source's items inserted at pos, pos + 1, ...; positions are renumbered once at the
  // end.
  void InsertCopies(const TOwnedList& source, std::int64_t pos);
  static void AssignList(TOwnedList& dest, const TOwnedList& source) { dest.Assign(source); }

  // While the lock is held, positions are not renumbered (bulk inserts); releasing the last lock
  // renumbers every item.
  void BeginIndexUpdate() { ++OnNotify.Rare().IndexUpdateLock; }
  void EndIndexUpdate();
  std::int32_t IndexUpdateLock() const {
    return OnNotify.rare_ ? OnNotify.rare_->IndexUpdateLock : 0;
  }

  // The positions holding an item, ascending; Fn(pos, item) is called for each. Empty slots cost
  // nothing here, however many there are.
  template <class Fn>
  void ForEachItem(const Fn& fn) const {
    for (std::size_t k = 0; k < Size(); ++k) fn(PositionAt(k), Items()[k]);
  }

 protected:
  // Makes Count at least count with empty slots at the end.
  void PadWithEmptySlots(std::int32_t count);
  // Calls OnNotify; descendants keeping per-item state override it (and call it).
  virtual void Notify(TOwnedListObject* item, TListNotification action);
  // Called by Delete and EmptySlot with an item about to be freed and the position it had, for
  // descendants whose items are known elsewhere by position. Not called while the list itself is
  // destroyed.
  virtual void ItemDeleting(TOwnedListObject& item, std::int64_t pos) {
    (void)item;
    (void)pos;
  }
  // The blocks the item list is kept in (null: the heap), for lists made by the million.
  virtual TItemBlocks* SlotBlocks() const { return nullptr; }
  // Appends (pos < 0) or inserts at pos a copy of original: a new item of its class, created,
  // then given Original's content.
  TOwnedListObject* AddCopy(const TOwnedListObject& original, std::int64_t pos) {
    return AddCopy(original, pos,
                   [](const TOwnedListObject& o) { return o.NewInstance().release(); });
  }
  // The same with the new item made by Make(original).
  template <class F>
  TOwnedListObject* AddCopy(const TOwnedListObject& original, std::int64_t pos, const F& make);

 private:
  // The items present, by position, in one allocation with the list's count and their room. A
  // list with empty slots keeps its items' positions in the rare part, and so their number; an
  // empty list points at kNoSlots, and a row's cells sit in the workbook's blocks.
  // Aligned for the item pointers after it, kNoSlots too (its Items() is formed, never read).
  struct alignas(TOwnedListObject*) TSlots {
    std::int32_t Count;
    std::uint32_t Capacity : 30;
    std::uint32_t InBlocks : 1;
    std::uint32_t Sparse : 1;  // some slot is empty
    TOwnedListObject** Items() { return reinterpret_cast<TOwnedListObject**>(this + 1); }
  };
  // Shared by every list without slots of its own; never written (it is constant).
  static const TSlots kNoSlots;
  bool OwnsSlots() const { return slots_ != &kNoSlots; }
  // How many slots hold an item.
  std::size_t Size() const {
    return Dense() ? static_cast<std::size_t>(slots_->Count) : StoredPositions().size();
  }
  TOwnedListObject** Items() const { return slots_->Items(); }
  // Room for capacity entries (at least the present ones), the entries and the count moved over.
  void Reallocate(std::size_t capacity);
  // Gives the room back: the list is left without items and slots.
  void FreeSlots() noexcept;
  // Entry inserted at entry among size entries (the room is there), or taken out of them;
  // neither counts, notifies nor renumbers.
  void InsertEntry(std::size_t entry, std::size_t size, TOwnedListObject* item);
  TOwnedListObject* EraseEntry(std::size_t entry, std::size_t size);

  void CheckIndex(std::int64_t pos) const;
  // Where an item at pos is, or would be, among the stored items.
  std::size_t EntryOf(std::int64_t pos) const;
  bool HasEntryAt(std::size_t entry, std::int64_t pos) const {
    return entry < Size() && PositionAt(entry) == pos;
  }
  // True while every slot holds an item (positions are then not stored).
  bool Dense() const { return !slots_->Sparse; }
  std::int32_t PositionAt(std::size_t entry) const {
    return Dense() ? static_cast<std::int32_t>(entry) : OnNotify.rare_->Positions[entry];
  }
  // The stored positions: one per item while some slot is empty, else none. A list of empty
  // slots only may store nothing at all.
  std::span<const std::int32_t> StoredPositions() const {
    return OnNotify.rare_ ? std::span<const std::int32_t>(OnNotify.rare_->Positions)
                          : std::span<const std::int32_t>();
  }
  std::vector<std::int32_t>& Positions() { return OnNotify.Rare().Positions; }
  // Forgets the stored positions once every slot holds an item again (the count is down to them).
  void DropPositionsIfDense();
  // Positions of the entries from entry on move by delta.
  void ShiftPositions(std::size_t entry, std::int32_t delta);
  // The positions of a dense list, stored before its first empty slot appears; the list has
  // slots of its own from then on.
  void StorePositions();
  // A slot holding item (may be null) inserted at pos, or taken out with what it held; neither
  // notifies.
  void PutSlot(std::int64_t pos, TOwnedPtr<TOwnedListObject> item);
  TOwnedPtr<TOwnedListObject> TakeSlot(std::int64_t pos);
  void Renumber(std::size_t fromEntry);
  // Copies made by Make(original), appended (pos < 0) or inserted from pos on.
  template <class F>
  void AddCopiesWith(const TOwnedList& source, std::int64_t pos, const F& make);

  TObject* owner_;
  TSlots* slots_;  // owns its items
};

// A list typed for its items and its owner, over TOwnedList or one of its descendants.
template <class T, class TOwner = TObject, class TBase = TOwnedList>
class TOwnedListOf : public TBase {
  static_assert(std::derived_from<T, TOwnedListObject>);
  static_assert(std::derived_from<TOwner, TObject>);

 public:
  explicit TOwnedListOf(TOwner* owner = nullptr) : TBase(owner) {}

  TOwner* Owner() const { return static_cast<TOwner*>(TBase::Owner()); }
  T* GetItem(std::int64_t pos) const { return static_cast<T*>(TBase::GetItem(pos)); }
  T* operator[](std::int64_t pos) const { return GetItem(pos); }

  // A new item of class U appended (AddNew) or inserted at Pos clamped to 0..Count (InsertNew).
  template <class U = T, class... Args>
  U* AddNew(Args&&... args) {
    static_assert(std::derived_from<U, T>);
    return TOwnedListObject::CreateOwned<U>(*this, std::forward<Args>(args)...);
  }
  template <class U = T, class... Args>
  U* InsertNew(std::int64_t pos, Args&&... args) {
    static_assert(std::derived_from<U, T>);
    return TOwnedListObject::CreateInsert<U>(*this, pos, std::forward<Args>(args)...);
  }
  TOwnedPtr<T> Extract(const T* item) {
    return TOwnedPtr<T>(static_cast<T*>(TBase::Extract(item).release()));
  }

  class iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = T*;
    using difference_type = std::ptrdiff_t;
    using pointer = T**;
    using reference = T*;
    iterator() = default;
    iterator(const TOwnedListOf* list, std::int32_t pos) : list_(list), pos_(pos) {}
    T* operator*() const { return list_->GetItem(pos_); }
    iterator& operator++() {
      ++pos_;
      return *this;
    }
    iterator operator++(int) {
      iterator old = *this;
      ++pos_;
      return old;
    }
    bool operator==(const iterator& other) const { return pos_ == other.pos_; }

   private:
    const TOwnedListOf* list_ = nullptr;
    std::int32_t pos_ = 0;
  };
  iterator begin() const { return iterator(this, 0); }
  iterator end() const { return iterator(this, this->Count()); }
};

// --- templates ---

template <class T, class... Args>
TOwnedPtr<T> TOwnedListObject::Create(Args&&... args) {
  TOwnedPtr<T> item(new T(std::forward<Args>(args)...));
  RunDoCreate(*item);
  return item;
}

template <class T, class... Args>
T* TOwnedListObject::CreateOwned(TOwnedList& list, Args&&... args) {
  T* item = new T(std::forward<Args>(args)...);
  Join(list, list.Count(), item);
  return item;
}

template <class T, class... Args>
T* TOwnedListObject::CreateInsert(TOwnedList& list, std::int64_t pos, Args&&... args) {
  T* item = new T(std::forward<Args>(args)...);
  Join(list, pos, item);
  return item;
}

template <class T, class... Args>
T* TOwnedListObject::CreateInsertIn(TItemBlocks& blocks, TOwnedList& list, std::int64_t pos,
                                    Args&&... args) {
  static_assert(sizeof(T) <= TItemBlocks::kLargest && alignof(T) <= TItemBlocks::kGrain);
  void* room = blocks.Allocate(sizeof(T));
  T* item;
  try {
    item = new (room) T(std::forward<Args>(args)...);
  } catch (...) {
    TItemBlocks::Release(room, sizeof(T));
    throw;
  }
  item->block_grains_ =
      static_cast<std::uint8_t>((sizeof(T) + TItemBlocks::kGrain - 1) / TItemBlocks::kGrain);
  Join(list, pos, item);
  return item;
}

template <class F>
TOwnedListObject* TOwnedList::AddCopy(const TOwnedListObject& original, std::int64_t pos,
                                      const F& make) {
  TOwnedListObject* copy = make(original);
  Insert(pos < 0 ? Count() : pos, TOwnedPtr<TOwnedListObject>(copy));
  try {
    TOwnedListObject::RunDoCreate(*copy);
  } catch (...) {
    TOwnedListObject::Abandon(*this, *copy);
    throw;
  }
  copy->Assign(original);
  return copy;
}

template <class F>
void TOwnedList::AddCopiesWith(const TOwnedList& source, std::int64_t pos, const F& make) {
  // Taken up front, so that copying a list into itself copies each item once.
  std::vector<const TOwnedListObject*> originals(source.Items(), source.Items() + source.Size());
  for (const TOwnedListObject* original : originals) {
    AddCopy(*original, pos, make);
    if (pos >= 0) ++pos;
  }
}

template <class U>
void TOwnedList::AddCopiesAs(const TOwnedList& source) {
  static_assert(std::derived_from<U, TOwnedListObject>);
  AddCopiesWith(source, -1, [](const TOwnedListObject&) -> TOwnedListObject* { return new U(); });
}

template <class U>
void TOwnedList::AssignAs(const TOwnedList& source) {
  if (&source == this) return;
  Clear();
  AddCopiesAs<U>(source);
}

}  // namespace workbook
