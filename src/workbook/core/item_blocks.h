#pragma once
// List items made by the million (a workbook's cells) come from blocks their owner holds rather
// than one heap allocation each: a million cells are a few hundred blocks, made and given back
// in bulk, and a small cell costs its own size only. A freed item's room is used again by the
// next item of its size. A block outlives its owner while an item taken out of the owner's lists
// still lives in it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace workbook {

class TItemBlocks {
 public:
  TItemBlocks() = default;
  ~TItemBlocks();
  TItemBlocks(const TItemBlocks&) = delete;
  TItemBlocks& operator=(const TItemBlocks&) = delete;

  // Lets go of every block, as the destructor does: a block goes as soon as nothing lives in it,
  // and room released from now on is not kept for reuse. An owner about to free its items calls
  // it first, so that freeing them is a count down per block.
  void Disown();

  // Room for an object of size bytes (at most kLargest), aligned for any item.
  void* Allocate(std::size_t size);
  // Gives back the room of an object of size bytes made by some TItemBlocks.
  static void Release(void* room, std::size_t size);
  // The blocks room was taken from, while they have an owner; null after it is gone.
  static TItemBlocks* OwnerOf(const void* room);

  static constexpr std::size_t kGrain = 8;
  static constexpr std::size_t kLargest = 248;

 private:
  struct TBlockHeader;
  struct TFree {
    TFree* Next;
  };
  static constexpr std::size_t kBlockSize = std::size_t{1} << 16;

  static TBlockHeader* BlockOf(const void* room);
  static void FreeBlock(TBlockHeader* block);
  void MapBlocks();
  TBlockHeader* NewBlock();

  std::vector<TBlockHeader*> blocks_;
  std::array<TFree*, kLargest / kGrain + 1> free_{};
  char* next_ = nullptr;  // unused room of the newest block
  char* end_ = nullptr;
  char* spare_ = nullptr;  // blocks mapped and not yet used
  char* spareEnd_ = nullptr;
};

}  // namespace workbook
