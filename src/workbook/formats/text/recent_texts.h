#pragma once
// TRecentTexts: the texts of a reader's recent short fields, by column, so that a text repeated
// down a column (a date, a rate, a partner) is held once and shared by its cells. A few slots per
// column keep the cost small and bounded, also when rows are handed over and freed as they are
// read.
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
  // The text of a field Kept, a shared one when a recent field of the column was the same;
  // field is emptied. The reference lasts until the next Take.
  const TPackedText& Take(TTextBuffer& field, int column);
  // The same for a text given whole: copied only when no recent text of the column was the same.
  const TPackedText& Take(std::u16string_view text, int column);

 private:
  struct TSlot {
    std::uint32_t Hash = 0;
    TPackedText Text;
  };

  static std::uint32_t Hash(std::u16string_view text);
  // The text's slot in the column, given the text's hash; same: it holds the text already.
  TSlot& SlotFor(std::u16string_view text, int column, bool& same);

  static constexpr std::size_t kMaxLength = 32;
  static constexpr int kColumns = 64;
  std::uint32_t slotsPerColumn_;
  TItemBlocks* blocks_;
  // Made for a column when its first field comes.
  std::vector<std::unique_ptr<TSlot[]>> columns_;
};

}  // namespace workbook
