#include "workbook/core/item_blocks.h"

#include <sys/mman.h>

#include <new>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#include <sanitizer/lsan_interface.h>
#define KVDPH_POISON(room, size) ASAN_POISON_MEMORY_REGION(room, size)
#define KVDPH_UNPOISON(room, size) ASAN_UNPOISON_MEMORY_REGION(room, size)
// Blocks are mapped, not taken from the heap: the leak checker must still see what their items
// point to.
#define KVDPH_WATCH(room, size) __lsan_register_root_region(room, size)
#define KVDPH_UNWATCH(room, size) __lsan_unregister_root_region(room, size)
#else
#define KVDPH_POISON(room, size) ((void)(room), (void)(size))
#define KVDPH_UNPOISON(room, size) ((void)(room), (void)(size))
#define KVDPH_WATCH(room, size) ((void)(room), (void)(size))
#define KVDPH_UNWATCH(room, size) ((void)(room), (void)(size))
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
// Blocks are mapped this many at a time, so a million cells cost a few dozen system calls; each
// block is given back on its own.
constexpr std::size_t kBlocksPerMapping = 16;

}  // namespace

TItemBlocks::TBlockHeader* TItemBlocks::BlockOf(const void* room) {
  return reinterpret_cast<TBlockHeader*>(reinterpret_cast<std::uintptr_t>(room) &
                                         ~(kBlockSize - 1));
}

TItemBlocks::~TItemBlocks() {
  Disown();
  if (spare_ != spareEnd_) munmap(spare_, static_cast<std::size_t>(spareEnd_ - spare_));
}

void TItemBlocks::Disown() {
  for (TBlockHeader* block : blocks_) {
    if (block->Live == 0)
      FreeBlock(block);
    else
      block->Owner = nullptr;
  }
  blocks_.clear();
  free_ = {};
  next_ = end_ = nullptr;
}

void TItemBlocks::FreeBlock(TBlockHeader* block) {
  KVDPH_UNWATCH(block, kBlockSize);
  KVDPH_UNPOISON(block, kBlockSize);
  munmap(block, kBlockSize);
}

void TItemBlocks::MapBlocks() {
  // One block more than needed, so that an aligned run fits; the rest is unmapped at once.
  const std::size_t length = (kBlocksPerMapping + 1) * kBlockSize;
  void* mapped = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) throw std::bad_alloc();
  char* start = static_cast<char*>(mapped);
  char* aligned = reinterpret_cast<char*>(
      (reinterpret_cast<std::uintptr_t>(start) + kBlockSize - 1) & ~(kBlockSize - 1));
  char* alignedEnd = aligned + kBlocksPerMapping * kBlockSize;
  if (aligned != start) munmap(start, static_cast<std::size_t>(aligned - start));
  if (alignedEnd != start + length)
    munmap(alignedEnd, static_cast<std::size_t>(start + length - alignedEnd));
  spare_ = aligned;
  spareEnd_ = alignedEnd;
}

TItemBlocks::TBlockHeader* TItemBlocks::NewBlock() {
  blocks_.reserve(blocks_.size() + 1);
  if (spare_ == spareEnd_) MapBlocks();
  char* room = spare_;
  spare_ += kBlockSize;
  // The block's pages made at once: a page fault per page costs far more, and the block fills
  // anyway.
  madvise(room, kBlockSize, MADV_POPULATE_WRITE);
  KVDPH_WATCH(room, kBlockSize);
  auto* block = new (room) TBlockHeader{this, 0};
  blocks_.push_back(block);
  next_ = room + kHeaderRoom;
  end_ = room + kBlockSize;
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
  ++BlockOf(room)->Live;
  return room;
}

TItemBlocks* TItemBlocks::OwnerOf(const void* room) { return BlockOf(room)->Owner; }

void TItemBlocks::Release(void* room, std::size_t size) {
  size = (size + kGrain - 1) / kGrain * kGrain;
  TBlockHeader* block = BlockOf(room);
  --block->Live;
  if (TItemBlocks* owner = block->Owner) {
    TFree*& head = owner->free_[size / kGrain];
    head = new (room) TFree{head};
    // What a released item's pointers still reach is an error the sanitizer should see.
    KVDPH_POISON(static_cast<char*>(room) + sizeof(TFree), size - sizeof(TFree));
  } else if (block->Live == 0) {
    FreeBlock(block);
  } else {
    KVDPH_POISON(room, size);
  }
}

}  // namespace workbook
