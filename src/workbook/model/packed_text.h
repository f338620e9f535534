#pragma once
// A text held in one pointer (its length stored in front of its characters): string cells are
// many, and a full string object would double the size of each. The characters never change once
// made, so copies share them under a count: cells read from a shared-string table hold the
// table's text instead of a copy each.
#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

namespace workbook {

class TPackedText {
 public:
  TPackedText() = default;
  explicit TPackedText(std::u16string_view text) { Assign(text); }
  TPackedText(const TPackedText& other) noexcept : data_(other.data_) { AddRef(); }
  TPackedText(TPackedText&& other) noexcept : data_(other.data_) { other.data_ = nullptr; }
  TPackedText& operator=(const TPackedText& other) noexcept;
  TPackedText& operator=(TPackedText&& other) noexcept;
  ~TPackedText() { Release(); }

  void Assign(std::u16string_view text);
  std::u16string_view View() const {
    return data_ ? std::u16string_view(Chars(), data_->Length) : std::u16string_view();
  }
  std::size_t size() const { return data_ ? data_->Length : 0; }
  bool empty() const { return data_ == nullptr; }

 private:
  struct THeader {
    std::atomic<std::uint32_t> Refs;
    std::uint32_t Length;
  };

  const char16_t* Chars() const { return reinterpret_cast<const char16_t*>(data_ + 1); }
  void AddRef() noexcept {
    if (data_) data_->Refs.fetch_add(1, std::memory_order_relaxed);
  }
  void Release() noexcept;

  THeader* data_ = nullptr;  // nil for the empty text
};

}  // namespace workbook
