#include "workbook/formats/text/recent_texts.h"

#include <algorithm>
#include <bit>
#include <cmath>
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
  // Every bit of the result depends on every character: the slots and the review's count of
  // different texts take different bits of it.
  hash = (hash ^ (hash >> 29)) * 0xBF58476D1CE4E5B9u;
  const auto mixed = static_cast<std::uint32_t>(hash ^ (hash >> 32));
  return mixed ? mixed : 1;  // 0 marks a free slot
}

std::size_t TRecentTexts::Slots() const {
  std::size_t slots = 0;
  for (int column = 0; column < kColumns; ++column) slots += columns_[column].Size;
  return slots;
}

void TRecentTexts::MakeTable(TColumn& texts, std::uint32_t size) {
  texts.Hashes = std::make_unique<std::uint32_t[]>(size);
  texts.Texts = std::make_unique<TPackedText[]>(size);
  texts.Size = size;
  texts.Held = 0;
}

double TRecentTexts::Different(const TColumn& texts) {
  // With b of m bits set by hashes at random, about -m ln(1 - b/m) different hashes set them.
  // The look-ups between two reviews cannot set every bit, so the logarithm stays finite.
  static_assert(kReview < kSeenBits);
  std::size_t set = 0;
  for (const std::uint64_t bits : texts.Seen) set += std::popcount(bits);
  return -double{kSeenBits} * std::log1p(-static_cast<double>(set) / kSeenBits);
}

void TRecentTexts::Review(TColumn& texts) {
  // Misses beyond the different texts met are texts met again that the table had let go: a
  // larger table finds them. A column that finds too little even so rests, and its table goes.
  const double lost = (kReview - texts.Found) - Different(texts);
  const bool tooSmall = lost * kRareShare >= kReview;
  const bool rare = texts.Found * kRareShare < kReview;
  texts.LookedUp = texts.Found = 0;
  texts.Seen.fill(0);
  const std::uint32_t size = texts.Size * kGrowth;
  if (tooSmall && size <= kMostSlots && grown_ + (size - texts.Size) <= kGrowthCap) {
    grown_ += size - texts.Size;
    MakeTable(texts, size);
  } else if (rare) {
    grown_ -= texts.Size - kFirstSlots;
    texts.Hashes.reset();
    texts.Texts.reset();
    texts.Size = texts.Held = 0;
    texts.Resting = kRest;
  }
}

TRecentTexts::TColumn* TRecentTexts::Looking(int column) {
  TColumn& texts = columns_[column];
  if (texts.LookedUp == kReview) Review(texts);
  if (texts.Resting == 0) return &texts;
  --texts.Resting;
  return nullptr;
}

TPackedText* TRecentTexts::SlotFor(TColumn& texts, std::u16string_view text, bool& found) {
  if (!texts.Hashes) MakeTable(texts, kFirstSlots);
  ++texts.LookedUp;
  const std::uint32_t hash = Hash(text);
  // The top bits, which pick no slot in a table of kMostSlots.
  texts.Seen[hash >> 27] |= std::uint64_t{1} << (hash >> 21 & 63);
  const std::uint32_t last = texts.Size - 1;
  std::uint32_t slot = hash & last;
  // The hash kept beside the text spares reading a text that differs.
  for (; texts.Hashes[slot] != 0; slot = (slot + 1) & last) {
    if (texts.Hashes[slot] != hash) continue;
    if (texts.Texts[slot].Equals(text)) {
      found = true;
      ++texts.Found;
      return &texts.Texts[slot];
    }
  }
  if (++texts.Held * 4 > texts.Size * kFullQuarters) {
    // Full: the table fills anew with the texts met from now on (the texts of a sorted column
    // move on).
    std::fill_n(texts.Hashes.get(), texts.Size, 0);
    std::fill_n(texts.Texts.get(), texts.Size, TPackedText());
    texts.Held = 1;
    slot = hash & last;
  }
  texts.Hashes[slot] = hash;
  return &texts.Texts[slot];
}

const TPackedText& TRecentTexts::Take(TTextBuffer& field, int column) {
  TColumn* texts = Looking(column);
  bool found = false;
  TPackedText& text = texts ? *SlotFor(*texts, field.View(), found) : unshared_;
  if (found)
    field.clear();
  else
    text = field.Take(blocks_);
  return text;
}

const TPackedText& TRecentTexts::Take(std::u16string_view view, int column) {
  TColumn* texts = Looking(column);
  bool found = false;
  TPackedText& text = texts ? *SlotFor(*texts, view, found) : unshared_;
  if (!found) text.Assign(view, blocks_);
  return text;
}

}  // namespace workbook
