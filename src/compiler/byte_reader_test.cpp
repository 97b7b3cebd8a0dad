#include "compiler/byte_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "compiler/byte_writer.h"

namespace scenario {
namespace {

// What the writer lays down, the reader takes back, field by field, with its
// sign and every bit of a float.
TEST(LettoreByte, ReadsBackWhatTheWriterWrites) {
  ScrittoreByte scrittore;
  scrittore.byte(0xB0);
  scrittore.int16(-2);
  scrittore.uint16(0xFFFF);
  scrittore.int32(std::numeric_limits<int32_t>::min());
  scrittore.float64(std::nextafter(1.0, 2.0));
  scrittore.testo("8\xB0");
  const std::string byte = scrittore.prendi();

  LettoreByte lettore(byte);
  uint8_t b = 0;
  int16_t i16 = 0;
  uint16_t u16 = 0;
  int32_t i32 = 0;
  double f = 0;
  std::string t;
  ASSERT_TRUE(lettore.byte(&b) && lettore.int16(&i16) && lettore.uint16(&u16) &&
              lettore.int32(&i32) && lettore.float64(&f) && lettore.testo(&t, 2));
  EXPECT_EQ(b, 0xB0);
  EXPECT_EQ(i16, -2);
  EXPECT_EQ(u16, 0xFFFF);
  EXPECT_EQ(i32, std::numeric_limits<int32_t>::min());
  EXPECT_EQ(f, std::nextafter(1.0, 2.0));
  EXPECT_EQ(t, "8\xB0");
  EXPECT_EQ(lettore.restanti(), 0u);
}

TEST(LettoreByte, AFieldPastTheEndIsNotTakenAndNothingMoves) {
  LettoreByte lettore(std::string_view("\x01\x02\x03", 3));
  int32_t i32 = 7;
  std::string t = "keep";
  EXPECT_FALSE(lettore.int32(&i32));
  EXPECT_FALSE(lettore.testo(&t, 4));
  EXPECT_FALSE(lettore.salta(4));
  EXPECT_EQ(i32, 7);
  EXPECT_EQ(t, "keep");
  EXPECT_EQ(lettore.posizione(), 0u);
  int16_t i16 = 0;
  EXPECT_TRUE(lettore.int16(&i16));
  EXPECT_EQ(i16, 0x0201);
  EXPECT_TRUE(lettore.salta(1));
  EXPECT_EQ(lettore.restanti(), 0u);
}

}  // namespace
}  // namespace scenario
