#pragma once
// TRecentTexts: the texts of a reader's recent short fields, by column, so that a text repeated
// down a column (a date, a rate, a partner, a VAT number) is held once and shared by its cells.
// Each column has a small table of the texts it met last; a column whose texts repeat more than
// its table holds (a few thousand partners in any order) gets a larger one, within a cap over
// all columns, so the cost stays small and bounded, also when rows are handed over and freed as
// they are read. A column whose texts seldom repeat (invoice numbers, amounts) rests from the
// look-ups for a while and holds no table, so that it costs next to nothing.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "workbook/model/packed_text.h"
#include "workbook/model/text_buffer.h"

namespace workbook {

class TRecentTexts {
 public:
  // A column's first table, the largest one, and the slots all columns may add to their first
  // tables together (four columns at the largest).
  static constexpr std::uint32_t kFirstSlots = 64;
  static constexpr std::uint32_t kMostSlots = 4096;
  static constexpr std::size_t kGrowthCap = 4 * (kMostSlots - kFirstSlots);
  // Every so many look-ups a column is reviewed; one that rests makes the next kRest texts
  // without a look-up.
  static constexpr std::uint32_t kReview = 1024;
  static constexpr std::uint32_t kRest = 64 * kReview;
  // The longest text and the columns kept.
  static constexpr std::size_t kMaxLength = 32;
  static constexpr int kColumns = 64;

  // blocks: where new texts are made (a workbook's), or none for the heap.
  explicit TRecentTexts(TItemBlocks* blocks = nullptr) : blocks_(blocks) {}

  // Whether a field of the length in the column has slots.
  static bool Kept(std::size_t length, int column) {
    return length <= kMaxLength && column >= 0 && column < kColumns;
  }
  // The text of a field Kept, a shared one when a recent field of the column was the same (and
  // the column is not resting); field is emptied. The reference lasts until the next Take.
  const TPackedText& Take(TTextBuffer& field, int column);
  // The same for a text given whole: copied only when no recent text of the column was the same.
  const TPackedText& Take(std::u16string_view text, int column);

  // The slots of every column's table together: what the tables cost.
  std::size_t Slots() const;

 private:
  // At a review a column's counts and the texts it met since the last one (kSeenBits bits, each
  // for the texts of one share of the hashes) tell what a larger table would find.
  static constexpr std::uint32_t kSeenBits = 2048;

  struct TColumn {
    // An open table of a power of two slots; hash 0 marks a free slot. Made at the column's
    // first look-up after a rest.
    std::unique_ptr<std::uint32_t[]> Hashes;
    std::unique_ptr<TPackedText[]> Texts;
    std::uint32_t Size = 0;
    std::uint32_t Held = 0;
    std::uint32_t LookedUp = 0;  // since the last review
    std::uint32_t Found = 0;
    std::uint32_t Resting = 0;  // texts still to be made without a look-up
    std::array<std::uint64_t, kSeenBits / 64> Seen{};
  };

  static std::uint32_t Hash(std::u16string_view text);
  // The column, when it is not resting; a text is looked up in it.
  TColumn* Looking(int column);
  // The text's slot in the column's table; found: the slot holds the text already.
  TPackedText* SlotFor(TColumn& texts, std::u16string_view text, bool& found);
  void MakeTable(TColumn& texts, std::uint32_t size);
  // Grows the table when its texts repeat more than it holds, or rests a column whose texts
  // seldom repeat.
  void Review(TColumn& texts);
  // How many different texts the column met since its last review, estimated from the bits set.
  static double Different(const TColumn& texts);

  // A column that finds fewer than one text in kRareShare rests.
  static constexpr std::uint32_t kRareShare = 16;
  // A table grows by kGrowth times at a review, and is emptied when a text would fill more than
  // kFullQuarters quarters of it, to keep the probes short.
  static constexpr std::uint32_t kGrowth = 8;
  static constexpr std::uint32_t kFullQuarters = 3;

  TItemBlocks* blocks_;
  std::unique_ptr<TColumn[]> columns_ = std::make_unique<TColumn[]>(kColumns);
  std::size_t grown_ = 0;  // slots beyond the first tables
  TPackedText unshared_;   // the last text made while its column rested
};

}  // namespace workbook
