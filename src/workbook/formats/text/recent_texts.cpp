#include "workbook/formats/text/recent_texts.h"

#include <cstring>

namespace workbook {

std::uint32_t TRecentTexts::Hash(std::u16string_view text) {
  // Four characters at a time.
  constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15u;
  std::uint64_t hash = text.size();
  std::size_t i = 0;
  for (; i + 4 <= text.size(); i += 4) {
    std::uint64_t four;
    std::memcpy(&four, text.data() + i, sizeof four);
    hash = (hash ^ four) * kMultiplier;
    hash ^= hash >> 32;
  }
  for (; i < text.size(); ++i) hash = (hash ^ text[i]) * kMultiplier;
  return static_cast<std::uint32_t>(hash ^ (hash >> 32));
}

TRecentTexts::TSlot* TRecentTexts::SlotFor(std::u16string_view text, int column, bool& same) {
  if (static_cast<std::size_t>(column) >= columns_.size()) columns_.resize(column + 1);
  TColumn& texts = columns_[column];
  if (texts.Resting > 0) {
    --texts.Resting;
    return nullptr;
  }
  const std::uint32_t hash = Hash(text);
  if (!texts.Slots) texts.Slots = std::make_unique<TSlot[]>(slotsPerColumn_);
  TSlot& slot = texts.Slots[hash % slotsPerColumn_];
  // The hash kept beside the text spares reading a text that differs.
  same = slot.Hash == hash && slot.Text.Equals(text);
  slot.Hash = hash;
  texts.Found += same;
  if (++texts.LookedUp == kReview) {
    if (texts.Found < kReview / kRareShare) texts.Resting = kRest;
    texts.LookedUp = texts.Found = 0;
  }
  return &slot;
}

const TPackedText& TRecentTexts::Take(TTextBuffer& field, int column) {
  bool same = false;
  TSlot* slot = SlotFor(field.View(), column, same);
  TPackedText& text = slot ? slot->Text : unshared_;
  if (same)
    field.clear();
  else
    text = field.Take(blocks_);
  return text;
}

const TPackedText& TRecentTexts::Take(std::u16string_view view, int column) {
  bool same = false;
  TSlot* slot = SlotFor(view, column, same);
  TPackedText& text = slot ? slot->Text : unshared_;
  if (!same) text.Assign(view, blocks_);
  return text;
}

}  // namespace workbook
