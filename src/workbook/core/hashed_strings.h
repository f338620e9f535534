#pragma once
// Texts numbered by first appearance, found by hash: deduplicating fonts, borders, styles and
// shared strings needs "index of this text, and was it new?" in constant time.
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

namespace workbook {

class THashedStrings {
 public:
  THashedStrings() = default;
  // The index points into the stored texts, so a copy would point into the original.
  THashedStrings(const THashedStrings&) = delete;
  THashedStrings& operator=(const THashedStrings&) = delete;
  THashedStrings(THashedStrings&&) = default;
  THashedStrings& operator=(THashedStrings&&) = default;

  // The position of key, appended when absent; isNew says which.
  std::int32_t Add(std::u16string_view key, bool& isNew);
  std::int32_t Add(std::u16string_view key) {
    bool isNew = false;
    return Add(key, isNew);
  }
  // Appends key even when it is present (registries that keep a file's entries in file order);
  // finding keeps answering the first position.
  std::int32_t Append(std::u16string_view key);
  // The first position of key, -1 when absent.
  std::int32_t IndexOf(std::u16string_view key) const;
  std::int32_t Count() const { return static_cast<std::int32_t>(strings_.size()); }
  // The text at pos; EListError outside 0..Count-1.
  const std::u16string& Get(std::int64_t pos) const;
  const std::u16string& operator[](std::int64_t pos) const { return Get(pos); }
  void Clear();

 private:
  // A deque never moves its elements, so the views used as keys stay valid as it grows.
  std::deque<std::u16string> strings_;
  std::unordered_map<std::u16string_view, std::int32_t> index_;
};

}  // namespace workbook
