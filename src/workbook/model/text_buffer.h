#pragma once
// TTextBuffer: a text made one character at a time (a reader's field) in the room a packed text
// uses, so a long text is never held twice: the room grows in place where the allocator can, and
// the text taken from the buffer keeps it. A short text is copied out instead, and the room
// serves the next one.
#include <algorithm>
#include <cstddef>
#include <string_view>

#include "workbook/model/packed_text.h"

namespace workbook {

class TTextBuffer {
 public:
  // capacity: the characters the first room holds; it is taken at the first character.
  explicit TTextBuffer(std::size_t capacity = 256) : firstCapacity_(capacity ? capacity : 1) {}
  TTextBuffer(const TTextBuffer&) = delete;
  TTextBuffer& operator=(const TTextBuffer&) = delete;
  ~TTextBuffer();

  void push_back(char16_t c) {
    if (size_ == capacity_) Grow(size_ + 1);
    Chars()[size_++] = c;
  }
  void append(std::u16string_view text) {
    if (capacity_ - size_ < text.size()) Grow(size_ + text.size());
    std::copy(text.begin(), text.end(), Chars() + size_);
    size_ += text.size();
  }
  void pop_back() { --size_; }
  char16_t front() const { return Chars()[0]; }
  char16_t back() const { return Chars()[size_ - 1]; }
  std::size_t size() const { return size_; }
  std::size_t capacity() const { return capacity_; }
  bool empty() const { return size_ == 0; }
  void clear() { size_ = 0; }
  std::u16string_view View() const { return {Chars(), size_}; }
  // The text built so far, charged to the running load, a short one in blocks when given; the
  // buffer is empty afterwards.
  TPackedText Take(TItemBlocks* blocks = nullptr);

 private:
  using THeader = TPackedText::THeader;
  char16_t* Chars() const {
    return room_ ? reinterpret_cast<char16_t*>(static_cast<char*>(room_) + sizeof(THeader))
                 : nullptr;
  }
  // Room for at least needed characters.
  void Grow(std::size_t needed);

  std::size_t firstCapacity_;
  void* room_ = nullptr;  // a header's room, then the characters
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace workbook
