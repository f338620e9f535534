#include "workbook/model/text_buffer.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <new>
#include <stdexcept>

#include "workbook/model/load_budget.h"

namespace workbook {

namespace {

// The length from which a text takes the buffer's room over instead of being copied out of it.
constexpr std::size_t kHandOverLength = std::size_t{1} << 16;

}  // namespace

TTextBuffer::~TTextBuffer() { std::free(room_); }

void TTextBuffer::Grow(std::size_t needed) {
  constexpr std::size_t kMaxLength = std::numeric_limits<std::uint32_t>::max();
  if (needed > kMaxLength) throw std::length_error("text too long");
  // A text beyond what the load may hold is refused before more room is taken for it.
  TWorkbookLoadBudget::CheckTextBytes(static_cast<std::int64_t>(needed * sizeof(char16_t)));
  std::size_t capacity = capacity_ ? capacity_ : firstCapacity_;
  while (capacity < needed || capacity == capacity_) capacity *= 2;
  capacity = std::min(capacity, kMaxLength);
  // realloc moves a large room by remapping its pages, so growing never holds the text twice.
  void* room = std::realloc(room_, sizeof(THeader) + capacity * sizeof(char16_t));
  if (!room) throw std::bad_alloc();
  room_ = room;
  capacity_ = capacity;
}

TPackedText TTextBuffer::Take(TItemBlocks* blocks) {
  TPackedText text;
  if (size_ < kHandOverLength) {
    text.Assign(View(), blocks);
  } else {
    TWorkbookLoadBudget::ChargeTextBytes(static_cast<std::int64_t>(size_ * sizeof(char16_t)));
    const std::uint32_t facts = TPackedText::ScanFacts(View());
    // A text of one byte a character is narrowed where it stands, and its room cut to fit.
    const bool narrow = facts & TPackedText::kNarrow;
    if (narrow) TPackedText::NarrowInto(View(), reinterpret_cast<unsigned char*>(Chars()));
    const std::size_t bytes = sizeof(THeader) + size_ * (narrow ? 1 : sizeof(char16_t));
    void* fitted = std::realloc(room_, bytes);
    text.data_ = new (fitted ? fitted : room_)
        THeader{TPackedText::kOneRef | facts, static_cast<std::uint32_t>(size_)};
    room_ = nullptr;
    capacity_ = 0;
  }
  size_ = 0;
  return text;
}

}  // namespace workbook
