#pragma once
// TRecentTexts: the texts of a reader's recent short fields, by column, so that a text repeated
// down a column (a date, a rate, a partner) is held once and shared by its cells. A few slots per
// column keep the cost small and bounded, also when rows are handed over and freed as they are
// read. A column whose texts seldom repeat (invoice numbers, amounts) rests from the look-ups for
// a while, so that it costs next to nothing.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "workbook/model/packed_text.h"
#include "workbook/model/text_buffer.h"

namespace workbook {

class TRecentTexts {
 public:
  static constexpr std::uint32_t kSlotsPerColumn = 64;

  // slotsPerColumn: how many different texts of a column may be kept at once; blocks: where new
  // texts are made (a workbook's), or none for the heap.
  explicit TRecentTexts(std::uint32_t slotsPerColumn = kSlotsPerColumn,
                        TItemBlocks* blocks = nullptr)
      : slotsPerColumn_(slotsPerColumn), blocks_(blocks) {}

  // Whether a field of the length in the column has slots.
  static bool Kept(std::size_t length, int column) {
    return length <= kMaxLength && column >= 0 && column < kColumns;
  }
  // The text of a field Kept, a shared one when a recent field of the column was the same (and
  // the column is not resting); field is emptied. The reference lasts until the next Take.
  const TPackedText& Take(TTextBuffer& field, int column);
  // The same for a text given whole: copied only when no recent text of the column was the same.
  const TPackedText& Take(std::u16string_view text, int column);

 private:
  struct TSlot {
    std::uint32_t Hash = 0;
    TPackedText Text;
  };

  struct TColumn {
    std::unique_ptr<TSlot[]> Slots;  // made when the column's first text is looked up
    std::uint32_t LookedUp = 0;      // since the last review
    std::uint32_t Found = 0;
    std::uint32_t Resting = 0;  // texts still to be made without a look-up
  };

  static std::uint32_t Hash(std::u16string_view text);
  // The text's slot in the column, given the text's hash; same: it holds the text already. Null
  // while the column rests.
  TSlot* SlotFor(std::u16string_view text, int column, bool& same);

  // Every so many look-ups a column is reviewed: one that found fewer than one text in
  // kRareShare rests for the next kRest texts.
  static constexpr std::uint32_t kReview = 4096;
  static constexpr std::uint32_t kRareShare = 16;
  static constexpr std::uint32_t kRest = 16 * kReview;

  static constexpr std::size_t kMaxLength = 32;
  static constexpr int kColumns = 64;
  std::uint32_t slotsPerColumn_;
  TItemBlocks* blocks_;
  std::vector<TColumn> columns_;
  TPackedText unshared_;  // the last text made while its column rested
};

}  // namespace workbook
