#include "base/large_block.h"

#include <cstddef>
#include <new>

namespace scenario {

// Large pages on Windows need a privilege players do not have: plain memory.
void* allocate_large_block(size_t bytes, size_t* reserved) {
  *reserved = bytes;
  return ::operator new(bytes);
}

void release_large_block(void* data, size_t) { ::operator delete(data); }

}  // namespace scenario
