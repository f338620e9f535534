#include "workbook/core/string_table.h"

#include <functional>

namespace workbook {

std::u16string_view TStringTable::Get(std::int32_t pos) const {
  const auto index = static_cast<std::size_t>(pos);
  const std::size_t start = index == 0 ? 0 : ends_[index - 1];
  return std::u16string_view(chars_).substr(start, ends_[index] - start);
}

std::size_t TStringTable::FindSlot(std::u16string_view text) const {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t slot = std::hash<std::u16string_view>()(text) & mask;;
       slot = (slot + 1) & mask) {
    const std::int32_t held = slots_[slot];
    if (held == 0 || Get(held - 1) == text) return slot;
  }
}

void TStringTable::Rehash(std::size_t slotCount) {
  slots_.assign(slotCount, 0);
  for (std::int32_t pos = 0; pos < Count(); ++pos) slots_[FindSlot(Get(pos))] = pos + 1;
}

std::int32_t TStringTable::Add(std::u16string_view text, bool& isNew) {
  if (slots_.empty()) Rehash(16);
  std::size_t slot = FindSlot(text);
  isNew = slots_[slot] == 0;
  if (!isNew) return slots_[slot] - 1;
  chars_.append(text);
  ends_.push_back(chars_.size());
  slots_[slot] = Count();
  if (ends_.size() * 2 > slots_.size()) Rehash(slots_.size() * 2);
  return Count() - 1;
}

}  // namespace workbook
