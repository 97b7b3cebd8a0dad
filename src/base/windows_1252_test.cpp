#include "base/windows_1252.h"

#include <gtest/gtest.h>

namespace scenario {
namespace {

TEST(Windows1252, EncodesEachCharacterAsOneByte) {
  struct Case {
    const char* utf8;
    std::string bytes;
  } cases[] = {
      {"Km.95+278", "Km.95+278"},
      {"GALLERIA 2\xC2\xB0", "GALLERIA 2\xB0"},  // degree sign
      {"\xE2\x82\xAC", "\x80"},                  // euro sign
      {"\xC3\xA8", "\xE8"},                      // e grave
      {"\xE2\x80\x99", "\x92"},                  // right single quote
      {"\xE4\xB8\xAD", "?"},                     // outside the page
      {"\xC3", "?"},                             // truncated sequence
      {"\xC0\xAF", "??"},                        // an overlong "/" is no "/"
      {"a\xFF"
       "b",
       "a?b"},  // not UTF-8
  };
  for (const Case& c : cases) EXPECT_EQ(utf8_a_windows_1252(c.utf8), c.bytes) << c.utf8;
}

TEST(Windows1252, EveryByteRoundTrips) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(utf8_a_windows_1252(windows_1252_a_utf8(all)), all);
}

}  // namespace
}  // namespace scenario
