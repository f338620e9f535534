#pragma once
// The find-or-add table shared by the font and the border registry: one entry per key string, each
// owning its item; an entry's index never changes until the registry is cleared.
//
// Entry 0 always exists: a new or cleared registry holds a provisional default item there (the
// default font, the empty border set), so styles that point at index 0 always find an entry. The
// first AddNew of an importer replaces that provisional entry, so the file's item 0 still lands
// at index 0 and later items keep their file positions. Importers therefore Clear the registry
// before they store a file's entries (the XLSX readers of the registries do it themselves).
#include <memory>
#include <vector>

#include "workbook/core/hashed_strings.h"
#include "workbook/model/load_budget.h"

namespace workbook {

template <class T>
class TExportStyleRegistry {
 public:
  TExportStyleRegistry(const TExportStyleRegistry&) = delete;
  TExportStyleRegistry& operator=(const TExportStyleRegistry&) = delete;

  int Count() const { return static_cast<int>(items_.size()); }
  // The entry at index, or nullptr outside 0..Count-1.
  const T* GetItem(int index) const {
    return index >= 0 && index < Count() ? items_[static_cast<std::size_t>(index)].get() : nullptr;
  }
  T* GetItem(int index) {
    return index >= 0 && index < Count() ? items_[static_cast<std::size_t>(index)].get() : nullptr;
  }

  // Index of the entry whose key equals Item's; a new key stores a copy of item. The caller keeps
  // item.
  int Add(const T& item) {
    provisional_ = false;
    bool isNew = false;
    const std::u16string key = item.GetKeyString();
    const int index = keys_.Add(key, isNew);
    if (isNew) {
      items_.push_back(std::make_unique<T>(item));
      ChargeEntry(key);
    }
    return index;
  }

  // Stores item itself as a new entry even when an equal one exists (importers: registry positions
  // follow the file). Add keeps finding the first of equal entries. Returns the new index.
  int AddNew(std::unique_ptr<T> item) {
    if (provisional_) {
      provisional_ = false;
      keys_.Clear();
      items_.clear();
    }
    const std::u16string key = item->GetKeyString();
    const int index = keys_.Append(key);
    items_.push_back(std::move(item));
    ChargeEntry(key);
    return index;
  }

  // Frees every entry, then puts the provisional default back as entry 0.
  void Clear() {
    keys_.Clear();
    items_.clear();
    Add(defaultItem_);
    provisional_ = true;
  }

 protected:
  explicit TExportStyleRegistry(const T& defaultItem) : defaultItem_(defaultItem) { Clear(); }
  ~TExportStyleRegistry() = default;

 private:
  // A load holds the item, its key and their places (a file may list a million fonts): charged
  // once the entry is whole, so that a refused load leaves the registry sound.
  static void ChargeEntry(const std::u16string& key) {
    TWorkbookLoadBudget::ChargeBytes(
        static_cast<std::int64_t>(sizeof(T) + 2 * sizeof(std::u16string) +
                                  key.size() * sizeof(char16_t) + sizeof(std::unique_ptr<T>)));
  }

  T defaultItem_;
  THashedStrings keys_;
  std::vector<std::unique_ptr<T>> items_;
  bool provisional_ = false;
};

}  // namespace workbook
