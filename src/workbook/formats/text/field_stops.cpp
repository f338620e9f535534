#include "workbook/formats/text/field_stops.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace workbook {

namespace {

using TMask = std::int16_t __attribute__((vector_size(16)));

// Where the first of eight compared characters matched, or 8 when none did.
std::size_t FirstSet(TMask mask) {
  std::uint64_t halves[2];
  std::memcpy(halves, &mask, sizeof halves);
  constexpr bool kLittle = std::endian::native == std::endian::little;
  for (std::size_t half = 0; half < 2; ++half)
    if (halves[half])
      return half * 4 + static_cast<std::size_t>(kLittle ? std::countr_zero(halves[half])
                                                         : std::countl_zero(halves[half])) /
                            16;
  return 8;
}

}  // namespace

void TFieldStops::Add(char16_t c) {
  if (Has(c)) return;
  if (c < low_.size())
    low_[c] = true;
  else
    high_ += c;
  if (count_ < kMaxCompared)
    for (int i = 0; i < 8; ++i) spread_[count_][i] = c;
  ++count_;
}

std::size_t TFieldStops::Span(std::u16string_view text) const {
  const std::size_t n = text.size();
  std::size_t i = 0;
  if (count_ > 0 && count_ <= kMaxCompared) {
    for (; i + 8 <= n; i += 8) {
      TGroup chars;
      std::memcpy(&chars, text.data() + i, sizeof chars);
      TMask found = chars == spread_[0];
      for (std::size_t s = 1; s < count_; ++s) found |= chars == spread_[s];
      if (const std::size_t first = FirstSet(found); first < 8) return i + first;
    }
  }
  for (; i < n; ++i)
    if (Has(text[i])) break;
  return i;
}

}  // namespace workbook
