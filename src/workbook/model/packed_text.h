#pragma once
// A text held in one pointer (its length stored in front of its characters): string cells are
// many, and a full string object would double the size of each.
#include <cstdint>
#include <string>
#include <string_view>

namespace workbook {

class TPackedText {
 public:
  TPackedText() = default;
  explicit TPackedText(std::u16string_view text) { Assign(text); }
  TPackedText(const TPackedText& other) { Assign(other.View()); }
  TPackedText& operator=(const TPackedText& other);
  ~TPackedText() { delete[] data_; }

  void Assign(std::u16string_view text);
  std::u16string_view View() const {
    return data_ ? std::u16string_view(data_ + kHeader, Length()) : std::u16string_view();
  }
  std::size_t size() const { return data_ ? Length() : 0; }
  bool empty() const { return data_ == nullptr; }

 private:
  static constexpr std::size_t kHeader = 2;  // the 32-bit length in two units
  std::uint32_t Length() const {
    return static_cast<std::uint32_t>(data_[0]) | (static_cast<std::uint32_t>(data_[1]) << 16);
  }

  char16_t* data_ = nullptr;  // nil for the empty text
};

}  // namespace workbook
