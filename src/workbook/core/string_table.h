#pragma once
// Texts numbered by first appearance, found by hash, held in one block of characters: the form
// of THashedStrings for tables of many short texts (a file's shared strings), where a string
// object, a map node and an allocation per text would cost several times the characters.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace workbook {

template <class Char>
class TBasicStringTable {
 public:
  using TView = std::basic_string_view<Char>;

  // The position of text, appended when absent; isNew says which.
  std::int32_t Add(TView text, bool& isNew);
  std::int32_t Count() const { return static_cast<std::int32_t>(ends_.size()); }
  // The text at pos (0..Count-1); valid until the next Add.
  TView Get(std::int32_t pos) const;

 private:
  // The slot holding text, or the empty slot where it belongs.
  std::size_t FindSlot(TView text) const;
  void Rehash(std::size_t slotCount);

  std::basic_string<Char> chars_;    // every text, one after the other
  std::vector<std::size_t> ends_;    // where each text ends in chars_
  std::vector<std::int32_t> slots_;  // position + 1 of a text, 0 when empty; at most half full
};

// UTF-16 texts (the XLS shared strings) and bytes (the XLSX shared-string entries).
using TStringTable = TBasicStringTable<char16_t>;
using TByteStringTable = TBasicStringTable<char>;

extern template class TBasicStringTable<char16_t>;
extern template class TBasicStringTable<char>;

}  // namespace workbook
