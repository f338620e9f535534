#include "workbook/core/item_blocks.h"

#include <cstdlib>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define KVDPH_POISON(room, size) ASAN_POISON_MEMORY_REGION(room, size)
#define KVDPH_UNPOISON(room, size) ASAN_UNPOISON_MEMORY_REGION(room, size)
#else
#define KVDPH_POISON(room, size) ((void)(room), (void)(size))
#define KVDPH_UNPOISON(room, size) ((void)(room), (void)(size))
#endif

namespace workbook {

// At the start of every block, which is aligned to its size, so an item finds it by its
// address.
struct TItemBlocks::TBlockHeader {
  TItemBlocks* Owner;  // null once the owner is gone
  std::size_t Live;    // items in the block not yet released
};

namespace {

constexpr std::size_t kHeaderRoom = 16;

}  // namespace

TItemBlocks::~TItemBlocks() {
  for (TBlockHeader* block : blocks_) {
    if (block->Live == 0) {
      KVDPH_UNPOISON(block, kBlockSize);
      std::free(block);
    } else {
      block->Owner = nullptr;
    }
  }
}

TItemBlocks::TBlockHeader* TItemBlocks::NewBlock() {
  void* room = std::aligned_alloc(kBlockSize, kBlockSize);
  if (!room) throw std::bad_alloc();
  blocks_.reserve(blocks_.size() + 1);
  auto* block = new (room) TBlockHeader{this, 0};
  blocks_.push_back(block);
  next_ = static_cast<char*>(room) + kHeaderRoom;
  end_ = static_cast<char*>(room) + kBlockSize;
  return block;
}

void* TItemBlocks::Allocate(std::size_t size) {
  size = (size + kGrain - 1) / kGrain * kGrain;
  if (size == 0 || size > kLargest) throw std::bad_alloc();
  void* room;
  if (TFree*& head = free_[size / kGrain]) {
    room = head;
    head = head->Next;
    KVDPH_UNPOISON(room, size);
  } else {
    if (static_cast<std::size_t>(end_ - next_) < size) NewBlock();
    room = next_;
    next_ += size;
  }
  auto* block =
      reinterpret_cast<TBlockHeader*>(reinterpret_cast<std::uintptr_t>(room) & ~(kBlockSize - 1));
  ++block->Live;
  return room;
}

TItemBlocks* TItemBlocks::OwnerOf(const void* room) {
  return reinterpret_cast<TBlockHeader*>(reinterpret_cast<std::uintptr_t>(room) & ~(kBlockSize - 1))
      ->Owner;
}

void TItemBlocks::Release(void* room, std::size_t size) {
  size = (size + kGrain - 1) / kGrain * kGrain;
  auto* block =
      reinterpret_cast<TBlockHeader*>(reinterpret_cast<std::uintptr_t>(room) & ~(kBlockSize - 1));
  --block->Live;
  if (TItemBlocks* owner = block->Owner) {
    TFree*& head = owner->free_[size / kGrain];
    head = new (room) TFree{head};
    // What a released item's pointers still reach is an error the sanitizer should see.
    KVDPH_POISON(static_cast<char*>(room) + sizeof(TFree), size - sizeof(TFree));
  } else if (block->Live == 0) {
    KVDPH_UNPOISON(block, kBlockSize);
    std::free(block);
  }
}

}  // namespace workbook
