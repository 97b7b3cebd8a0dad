// A block of memory for a large array that a run fills once from start to
// end, such as the plan view's million coordinates. Where the system offers
// huge pages (Linux), the block asks for them: a few megabytes then cost one
// page fault each instead of one per 4 KiB, which is most of what filling
// them costs. Elsewhere it is plain memory. One file per platform implements
// the allocation (large_block_posix.cpp, large_block_win32.cpp).
#pragma once

#include <cstddef>

namespace scenario {

class LargeBlock {
 public:
  LargeBlock() = default;
  // At least `bytes` bytes, their contents undefined.
  explicit LargeBlock(size_t bytes);
  ~LargeBlock();

  LargeBlock(LargeBlock&& other) noexcept;
  LargeBlock& operator=(LargeBlock&& other) noexcept;
  // A copy holds the same bytes in a block of its own.
  LargeBlock(const LargeBlock& other);
  LargeBlock& operator=(const LargeBlock& other);

  void* data() { return data_; }
  const void* data() const { return data_; }
  size_t size() const { return size_; }

 private:
  void* data_ = nullptr;
  size_t size_ = 0;      // as asked
  size_t reserved_ = 0;  // as the system gave it
};

// The platform's allocation behind LargeBlock: `*reserved` receives what must
// be handed back to release the block. A failure throws std::bad_alloc, as
// any allocation does.
void* allocate_large_block(size_t bytes, size_t* reserved);
void release_large_block(void* data, size_t reserved);

}  // namespace scenario
