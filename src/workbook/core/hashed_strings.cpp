#include "workbook/core/hashed_strings.h"

#include "workbook/core/list_error.h"

namespace workbook {

std::int32_t THashedStrings::Add(std::u16string_view key, bool& isNew) {
  auto found = index_.find(key);
  isNew = found == index_.end();
  return isNew ? Append(key) : found->second;
}

std::int32_t THashedStrings::Append(std::u16string_view key) {
  const std::int32_t pos = Count();
  const std::u16string& stored = strings_.emplace_back(key);
  index_.try_emplace(std::u16string_view(stored), pos);
  return pos;
}

std::int32_t THashedStrings::IndexOf(std::u16string_view key) const {
  auto found = index_.find(key);
  return found == index_.end() ? -1 : found->second;
}

const std::u16string& THashedStrings::Get(std::int64_t pos) const {
  if (pos < 0 || pos >= Count()) RaiseListIndexError(pos);
  return strings_[static_cast<std::size_t>(pos)];
}

void THashedStrings::Clear() {
  index_.clear();
  strings_.clear();
}

}  // namespace workbook
