#include "base/printable_text.h"

#include <gtest/gtest.h>

#include <string>

namespace scenario {
namespace {

TEST(PrintableText, ControlBytesAreWrittenOutAndLongTextIsCut) {
  const struct {
    std::string testo;
    size_t massimo;
    std::string atteso;
  } cases[] = {
      {"BELFORTE SELVEN - MELAR", 80, "BELFORTE SELVEN - MELAR"},
      {"Città 30°", 80, "Città 30°"},
      {"a\rb\nc\td\x1b[31me\x07", 80, "a\\rb\\nc\\td\\e[31me\\a"},
      {std::string("a\0b", 3) + "\x01\x7F", 80, "a\\x00b\\x01\\x7F"},
      {"\xC2\x9B"
       "2J",
       80, "\\xC2\\x9B2J"},                              // the one-character CSI of C1
      {"\xB0\xFF\xE2\x80", 80, "\\xB0\\xFF\\xE2\\x80"},  // not UTF-8: byte by byte
      {std::string(81, 'x'), 80, std::string(80, 'x') + "…"},
      {std::string(80, 'x'), 80, std::string(80, 'x')},
      {"àààà", 2, "àà…"},
      {"\r\r\r", 2, "\\r\\r…"},
      {std::string(100, 'x'), kSenzaTaglio, std::string(100, 'x')},
  };
  for (const auto& c : cases) EXPECT_EQ(testo_stampabile(c.testo, c.massimo), c.atteso) << c.testo;
}

}  // namespace
}  // namespace scenario
