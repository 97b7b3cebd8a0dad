#include "base/large_block.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

namespace scenario {
namespace {

// The block holds what is written into it, all of it, and keeps it when
// moved or copied; a copy is a block of its own.
TEST(LargeBlock, HoldsItsBytesWhenMovedAndCopied) {
  for (size_t byte : {size_t{1}, size_t{4096}, size_t{1712016}, size_t{5} << 20}) {
    LargeBlock blocco(byte);
    ASSERT_NE(blocco.data(), nullptr);
    EXPECT_EQ(blocco.size(), byte);
    auto* p = static_cast<unsigned char*>(blocco.data());
    for (size_t i = 0; i < byte; i += 997) p[i] = static_cast<unsigned char>(i);
    p[byte - 1] = 0xB0;

    LargeBlock copia(blocco);
    ASSERT_NE(copia.data(), blocco.data());
    EXPECT_EQ(std::memcmp(copia.data(), blocco.data(), byte), 0);
    LargeBlock spostato(std::move(blocco));
    EXPECT_EQ(blocco.data(), nullptr);
    EXPECT_EQ(static_cast<unsigned char*>(spostato.data())[byte - 1], 0xB0);
    copia = LargeBlock(16);
    EXPECT_EQ(copia.size(), 16u);
  }
  EXPECT_EQ(LargeBlock().data(), nullptr);
}

}  // namespace
}  // namespace scenario
