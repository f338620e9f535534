#include "workbook/model/packed_text.h"

#include <algorithm>

namespace workbook {

TPackedText& TPackedText::operator=(const TPackedText& other) {
  if (this != &other) Assign(other.View());
  return *this;
}

void TPackedText::Assign(std::u16string_view text) {
  char16_t* fresh = nullptr;
  if (!text.empty()) {
    auto length = static_cast<std::uint32_t>(text.size());
    fresh = new char16_t[kHeader + text.size()];
    fresh[0] = static_cast<char16_t>(length & 0xFFFF);
    fresh[1] = static_cast<char16_t>(length >> 16);
    std::copy(text.begin(), text.end(), fresh + kHeader);
  }
  delete[] data_;
  data_ = fresh;
}

}  // namespace workbook
