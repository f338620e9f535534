#pragma once
// The find-or-add table shared by the font and the border registry: one entry per key string, each
// owning its item; an entry's index never changes until the registry is cleared.
//
// Entry 0 always exists: a new or cleared registry holds a provisional default item there (the
// default font, the empty border set), so styles that point at index 0 always find an entry. The
// first AddNew of an importer replaces that provisional entry, so the file's item 0 still lands
// at index 0 and later items keep their file positions.
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace workbook {

template <class T>
class TExportStyleRegistry {
 public:
  TExportStyleRegistry(const TExportStyleRegistry&) = delete;
  TExportStyleRegistry& operator=(const TExportStyleRegistry&) = delete;

  int Count() const { return static_cast<int>(items_.size()); }
  // The entry at Index, or nullptr outside 0..Count-1.
  const T* GetItem(int index) const {
    return index >= 0 && index < Count() ? items_[static_cast<std::size_t>(index)].get() : nullptr;
  }
  T* GetItem(int index) {
    return index >= 0 && index < Count() ? items_[static_cast<std::size_t>(index)].get() : nullptr;
  }

  // Index of the entry whose key equals Item's; a new key stores a copy of Item. The caller keeps
  // Item.
  int Add(const T& item) {
    provisional_ = false;
    std::u16string key = item.GetKeyString();
    auto found = index_.find(key);
    if (found != index_.end()) return found->second;
    return Append(std::move(key), std::make_unique<T>(item));
  }

  // Stores Item itself as a new entry even when an equal one exists (importers: registry positions
  // follow the file). Returns its index.
  int AddNew(std::unique_ptr<T> item) {
    std::u16string key = item->GetKeyString();
    if (provisional_) {
      provisional_ = false;
      index_.clear();
      items_.clear();
    }
    // A duplicate gets a fresh key of its own: digits only, which no real key string (they all
    // hold ";") can equal.
    while (index_.count(key) != 0) key = DecimalKey(nextFreshKey_++);
    return Append(std::move(key), std::move(item));
  }

  // Frees every entry, then puts the provisional default back as entry 0.
  void Clear() {
    index_.clear();
    items_.clear();
    Append(defaultItem_.GetKeyString(), std::make_unique<T>(defaultItem_));
    provisional_ = true;
  }

 protected:
  explicit TExportStyleRegistry(const T& defaultItem) : defaultItem_(defaultItem) { Clear(); }
  ~TExportStyleRegistry() = default;

 private:
  int Append(std::u16string key, std::unique_ptr<T> item) {
    const int index = Count();
    index_.emplace(std::move(key), index);
    items_.push_back(std::move(item));
    return index;
  }

  static std::u16string DecimalKey(unsigned long long n) {
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
  }

  T defaultItem_;
  std::unordered_map<std::u16string, int> index_;
  std::vector<std::unique_ptr<T>> items_;
  bool provisional_ = false;
  unsigned long long nextFreshKey_ = 0;
};

}  // namespace workbook
