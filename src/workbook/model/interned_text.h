#pragma once
// A text many cells carry and few tell apart (a currency symbol): one word pointing at the pooled
// copy the number-format codes are kept in, instead of a string of its own in every cell.
#include <cstddef>
#include <string>
#include <string_view>

#include "workbook/model/format_code_pool.h"

namespace workbook {

class TInternedText {
 public:
  TInternedText() = default;
  TInternedText(const std::u16string& text) : text_(InternFormatCode(text)) {}
  TInternedText(const char16_t* text) : TInternedText(std::u16string(text)) {}

  const std::u16string& str() const {
    static const std::u16string kEmpty;
    return text_ ? *text_ : kEmpty;
  }
  operator const std::u16string&() const { return str(); }
  bool empty() const { return text_ == nullptr; }
  std::size_t size() const { return str().size(); }
  friend bool operator==(const TInternedText& a, std::u16string_view b) { return a.str() == b; }

 private:
  const std::u16string* text_ = nullptr;  // null for the empty text
};

}  // namespace workbook
