#pragma once
// TFieldStops: the characters at which a reader scanning a field's text stops to look closer
// (separators, quotes, line breaks); the characters between them are taken in runs.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace workbook {

class TFieldStops {
 public:
  void Add(char16_t c);
  // How many characters at the front of text are none of them.
  std::size_t Span(std::u16string_view text) const;

 private:
  // A few stops are looked for eight characters at a time, the eight compared with each stop at
  // once.
  using TGroup = std::uint16_t __attribute__((vector_size(16)));
  static constexpr std::size_t kMaxCompared = 8;
  bool Has(char16_t c) const {
    return c < low_.size() ? low_[c] : high_.find(c) != std::u16string::npos;
  }

  std::array<bool, 256> low_{};
  std::u16string high_;
  std::size_t count_ = 0;
  std::array<TGroup, kMaxCompared> spread_{};  // each stop eight times, while there are few
};

}  // namespace workbook
