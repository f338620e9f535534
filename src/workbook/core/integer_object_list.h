#pragma once
// A list of integer keys, each with an object it points to but does not own; unsorted or sorted
// by key (value_list.h). The Id index of TIndexedOwnedList is one.
#include <cstdint>

#include "workbook/core/object.h"
#include "workbook/core/value_list.h"

namespace workbook {

struct TIntegerObjectListItem {
  std::int32_t Key = 0;
  TObject* Object = nullptr;  // not owned
};

struct TIntegerObjectListTraits {
  static int Compare(const TIntegerObjectListItem& a, const TIntegerObjectListItem& b) {
    return a.Key < b.Key ? -1 : (a.Key > b.Key ? 1 : 0);
  }
  static constexpr const char* DuplicateMessage = "Integer list does not allow duplicates";
};

class TIntegerObjectList : public TValueList<TIntegerObjectListItem, TIntegerObjectListTraits> {
  using TBase = TValueList<TIntegerObjectListItem, TIntegerObjectListTraits>;

 public:
  using TBase::TBase;

  // Adds key without an object; returns its position (for Ignore, that of the key present).
  std::int32_t Add(std::int32_t key) { return TBase::Add({key, nullptr}); }
  bool Find(std::int32_t key, std::int32_t& pos) const { return TBase::Find({key, nullptr}, pos); }
  std::int32_t IndexOf(std::int32_t key) const { return TBase::IndexOf({key, nullptr}); }
  std::int32_t Remove(std::int32_t key) { return TBase::Remove({key, nullptr}); }

  std::int32_t GetKey(std::int64_t pos) const { return GetItem(pos).Key; }
  TObject* GetObject(std::int64_t pos) const { return GetItem(pos).Object; }
  void SetObject(std::int64_t pos, TObject* object) { Slot(pos).Object = object; }
};

}  // namespace workbook
