#include "base/large_block.h"

#include <sys/mman.h>

#include <cstddef>
#include <cstdint>
#include <new>

namespace scenario {

namespace {

// The size of a huge page on x86-64 and most other systems that have them.
constexpr size_t kHugePage = size_t{2} << 20;

}  // namespace

// Maps whole huge pages, aligned on one, so that the system can back them
// with huge pages as they are first touched; without that support the
// advice is ignored and the memory stays ordinary.
void* allocate_large_block(size_t bytes, size_t* reserved) {
  const size_t size = (bytes + kHugePage - 1) / kHugePage * kHugePage;
  // Room to slide the block onto a huge-page boundary; the rest is handed back.
  const size_t mapped = size + kHugePage;
  void* map = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (map == MAP_FAILED) throw std::bad_alloc();
  const auto start = reinterpret_cast<uintptr_t>(map);
  const uintptr_t aligned = (start + kHugePage - 1) / kHugePage * kHugePage;
  if (aligned > start) munmap(map, aligned - start);
  if (const uintptr_t end = start + mapped; end > aligned + size) {
    munmap(reinterpret_cast<void*>(aligned + size), end - (aligned + size));
  }
  void* data = reinterpret_cast<void*>(aligned);
#ifdef MADV_HUGEPAGE
  madvise(data, size, MADV_HUGEPAGE);
#endif
  *reserved = size;
  return data;
}

void release_large_block(void* data, size_t reserved) { munmap(data, reserved); }

}  // namespace scenario
