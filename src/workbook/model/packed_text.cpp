#include "workbook/model/packed_text.h"

#include <algorithm>
#include <limits>
#include <new>
#include <stdexcept>

namespace workbook {

TPackedText& TPackedText::operator=(const TPackedText& other) noexcept {
  if (data_ != other.data_) {
    Release();
    data_ = other.data_;
    AddRef();
  }
  return *this;
}

TPackedText& TPackedText::operator=(TPackedText&& other) noexcept {
  if (this != &other) {
    Release();
    data_ = other.data_;
    other.data_ = nullptr;
  }
  return *this;
}

void TPackedText::Release() noexcept {
  if (data_ && data_->Refs.fetch_sub(1, std::memory_order_acq_rel) == 1) {
    data_->~THeader();
    ::operator delete(data_);
  }
  data_ = nullptr;
}

void TPackedText::Assign(std::u16string_view text) {
  THeader* fresh = nullptr;
  if (!text.empty()) {
    if (text.size() > std::numeric_limits<std::uint32_t>::max())
      throw std::length_error("text too long");
    void* block = ::operator new(sizeof(THeader) + text.size() * sizeof(char16_t));
    fresh = new (block) THeader{{1}, static_cast<std::uint32_t>(text.size())};
    std::copy(text.begin(), text.end(), reinterpret_cast<char16_t*>(fresh + 1));
  }
  Release();
  data_ = fresh;
}

}  // namespace workbook
