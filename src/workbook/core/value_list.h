#pragma once
// Lists of plain values, unsorted or kept sorted, with a choice of what a duplicate does: the
// common body of TIntegerList, TIntegerObjectList and TDoubleList.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

#include "workbook/core/list_error.h"
#include "workbook/core/list_notification.h"

namespace workbook {

enum class TDuplicates : std::uint8_t { Ignore = 0, Accept = 1, Error = 2 };
enum class TListSortType : std::uint8_t { Unsorted = 0, Ascending = 1, Descending = 2 };

// Traits give Compare(a, b) (-1, 0, 1) and DuplicateMessage.
template <class V, class Traits>
class TValueList {
 public:
  using TChangeHandler = std::function<void(TValueList& sender, V value, TListNotification action)>;

  // Unsorted, duplicates accepted.
  TValueList() = default;
  TValueList(TDuplicates duplicates, TListSortType sortType)
      : duplicates_(duplicates), sort_type_(sortType) {}

  // Called for every value added, and for every value deleted.
  TChangeHandler OnChange;

  TDuplicates Duplicates() const { return duplicates_; }
  TListSortType SortType() const { return sort_type_; }
  // A new sort order other than Unsorted sorts the values first (equal ones keep their order).
  void SetSortType(TListSortType sortType) {
    if (sortType == sort_type_) return;
    if (sortType != TListSortType::Unsorted) {
      const int direction = sortType == TListSortType::Ascending ? 1 : -1;
      std::stable_sort(items_.begin(), items_.end(), [direction](const V& a, const V& b) {
        return Traits::Compare(a, b) * direction < 0;
      });
    }
    sort_type_ = sortType;
  }
  std::int32_t Count() const { return static_cast<std::int32_t>(items_.size()); }

  V GetItem(std::int64_t pos) const {
    CheckIndex(pos);
    return items_[static_cast<std::size_t>(pos)];
  }
  V operator[](std::int64_t pos) const { return GetItem(pos); }
  // Replaces the value at pos as it is: a sorted list is not re-sorted.
  void SetItem(std::int64_t pos, V value) {
    CheckIndex(pos);
    V& slot = items_[static_cast<std::size_t>(pos)];
    const V old = slot;
    slot = value;
    Notify(old, TListNotification::Deleted);
    Notify(value, TListNotification::Added);
  }

  // Unsorted: appends. Sorted: inserts at the place Find gives; an equal value already there is
  // returned (Ignore), refused with EListError (Error, the list unchanged) or joined (Accept).
  // Returns the value's position.
  std::int32_t Add(V value) {
    std::int32_t pos = Count();
    if (sort_type_ != TListSortType::Unsorted && Find(value, pos)) {
      if (duplicates_ == TDuplicates::Ignore) return pos;
      if (duplicates_ == TDuplicates::Error) throw EListError(Traits::DuplicateMessage);
    }
    items_.insert(items_.begin() + pos, value);
    Notify(value, TListNotification::Added);
    return pos;
  }

  void Delete(std::int64_t pos) {
    CheckIndex(pos);
    const V old = items_[static_cast<std::size_t>(pos)];
    items_.erase(items_.begin() + pos);
    Notify(old, TListNotification::Deleted);
  }

  // Deletes the first equal value; returns its former position, -1 when absent.
  std::int32_t Remove(V value) {
    const std::int32_t pos = IndexOf(value);
    if (pos >= 0) Delete(pos);
    return pos;
  }

  // Sorted lists: binary search; pos is the first position whose value is not before value (so
  // the first equal one when there are several). Unsorted lists: the first equal value, pos =
  // Count when there is none.
  bool Find(V value, std::int32_t& pos) const {
    if (sort_type_ == TListSortType::Unsorted) {
      for (std::size_t i = 0; i < items_.size(); ++i)
        if (Traits::Compare(items_[i], value) == 0) {
          pos = static_cast<std::int32_t>(i);
          return true;
        }
      pos = Count();
      return false;
    }
    const int direction = sort_type_ == TListSortType::Ascending ? 1 : -1;
    auto place = std::lower_bound(items_.begin(), items_.end(), value, [direction](V a, V b) {
      return Traits::Compare(a, b) * direction < 0;
    });
    pos = static_cast<std::int32_t>(place - items_.begin());
    return place != items_.end() && Traits::Compare(*place, value) == 0;
  }

  // The position of an equal value, -1 when absent.
  std::int32_t IndexOf(V value) const {
    std::int32_t pos = -1;
    return Find(value, pos) ? pos : -1;
  }

  // Deletes every value, the last first.
  void Clear() {
    while (!items_.empty()) Delete(Count() - 1);
  }

 protected:
  // The value at pos, to change a part of it that sorting does not look at.
  V& Slot(std::int64_t pos) {
    CheckIndex(pos);
    return items_[static_cast<std::size_t>(pos)];
  }

 private:
  void CheckIndex(std::int64_t pos) const {
    if (pos < 0 || pos >= Count()) RaiseListIndexError(pos);
  }
  void Notify(V value, TListNotification action) {
    if (OnChange) OnChange(*this, value, action);
  }

  std::vector<V> items_;
  TDuplicates duplicates_ = TDuplicates::Accept;
  TListSortType sort_type_ = TListSortType::Unsorted;
};

}  // namespace workbook
