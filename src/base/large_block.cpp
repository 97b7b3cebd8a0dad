#include "base/large_block.h"

#include <cstring>
#include <utility>

namespace scenario {

LargeBlock::LargeBlock(size_t bytes) : size_(bytes) {
  if (bytes > 0) data_ = allocate_large_block(bytes, &reserved_);
}

LargeBlock::~LargeBlock() {
  if (data_ != nullptr) release_large_block(data_, reserved_);
}

LargeBlock::LargeBlock(LargeBlock&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      reserved_(std::exchange(other.reserved_, 0)) {}

LargeBlock& LargeBlock::operator=(LargeBlock&& other) noexcept {
  if (this != &other) {
    LargeBlock old(std::move(*this));
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
    reserved_ = std::exchange(other.reserved_, 0);
  }
  return *this;
}

LargeBlock::LargeBlock(const LargeBlock& other) : LargeBlock(other.size_) {
  if (size_ > 0) std::memcpy(data_, other.data_, size_);
}

LargeBlock& LargeBlock::operator=(const LargeBlock& other) {
  if (this != &other) *this = LargeBlock(other);
  return *this;
}

}  // namespace scenario
