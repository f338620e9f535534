#include "workbook/core/string_table.h"

#include <functional>

namespace workbook {

template <class Char>
auto TBasicStringTable<Char>::Get(std::int32_t pos) const -> TView {
  const auto index = static_cast<std::size_t>(pos);
  const std::size_t start = index == 0 ? 0 : ends_[index - 1];
  return TView(chars_).substr(start, ends_[index] - start);
}

template <class Char>
std::size_t TBasicStringTable<Char>::FindSlot(TView text) const {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t slot = std::hash<TView>()(text) & mask;; slot = (slot + 1) & mask) {
    const std::int32_t held = slots_[slot];
    if (held == 0 || Get(held - 1) == text) return slot;
  }
}

template <class Char>
void TBasicStringTable<Char>::Rehash(std::size_t slotCount) {
  slots_.assign(slotCount, 0);
  for (std::int32_t pos = 0; pos < Count(); ++pos) slots_[FindSlot(Get(pos))] = pos + 1;
}

template <class Char>
std::int32_t TBasicStringTable<Char>::Add(TView text, bool& isNew) {
  if (slots_.empty()) Rehash(16);
  const std::size_t slot = FindSlot(text);
  isNew = slots_[slot] == 0;
  if (!isNew) return slots_[slot] - 1;
  chars_.append(text);
  ends_.push_back(chars_.size());
  slots_[slot] = Count();
  if (ends_.size() * 2 > slots_.size()) Rehash(slots_.size() * 2);
  return Count() - 1;
}

template class TBasicStringTable<char16_t>;
template class TBasicStringTable<char>;

}  // namespace workbook
