#pragma once
// TFieldStops: the characters at which a reader scanning a field's text stops to look closer
// (separators, quotes, line breaks); the characters between them are taken in runs.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace workbook {

class TFieldStops {
 public:
  void Add(char16_t c) {
    if (c < low_.size())
      low_[c] = true;
    else
      high_.push_back(c);
  }
  // How many characters at the front of text are none of them.
  std::size_t Span(std::u16string_view text) const {
    std::size_t i = 0;
    for (const std::size_t n = text.size(); i < n; ++i) {
      const char16_t c = text[i];
      if (c < low_.size() ? low_[c] : high_.find(c) != std::u16string::npos) break;
    }
    return i;
  }

 private:
  std::array<bool, 256> low_{};
  std::u16string high_;
};

}  // namespace workbook
