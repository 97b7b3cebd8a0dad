#include "base/utf8.h"

#include <gtest/gtest.h>

namespace scenario {
namespace {

TEST(LeggiUtf8, TakesAWellFormedCharacterWholeAndAnyOtherByteAlone) {
  const struct {
    std::string_view testo;
    char32_t punto;
    size_t lunghezza;
    bool valido;
  } casi[] = {
      {"A", U'A', 1, true},
      {"\xC2\xB0", U'\u00B0', 2, true},              // degree sign
      {"\xE2\x82\xAC", U'\u20AC', 3, true},          // euro sign
      {"\xF0\x9F\x9A\x82", U'\U0001F682', 4, true},  // locomotive
      {"\xEF\xBF\xBF", U'\uFFFF', 3, true},          // a code point, if not a character
      {"\xB0", 0, 1, false},                         // a continuation byte alone
      {"\xC3", 0, 1, false},                         // truncated
      {"\xE2\x82 ", 0, 1, false},                    // cut short by another character
      {"\xC0\xAF", 0, 1, false},                     // overlong "/"
      {"\xE0\x80\xAF", 0, 1, false},                 // overlong "/"
      {"\xED\xA0\x80", 0, 1, false},                 // a surrogate
      {"\xF4\x90\x80\x80", 0, 1, false},             // past U+10FFFF
      {"\xF8\x90\x80\x80", 0, 1, false},             // no lead byte
      {"\xFF", 0, 1, false},
  };
  for (const auto& caso : casi) {
    const CarattereUtf8 c = leggi_utf8(caso.testo, 0);
    EXPECT_EQ(c.valido, caso.valido) << caso.testo;
    EXPECT_EQ(c.lunghezza, caso.lunghezza) << caso.testo;
    if (caso.valido) {
      EXPECT_EQ(c.punto, caso.punto) << caso.testo;
    }
  }
}

TEST(AggiungiUtf8, WritesWhatLeggiUtf8ReadsBack) {
  for (char32_t punto : {U'\0', U'A', U'\u00B0', U'\u07FF', U'\u0800', U'\u20AC', U'\uFFFD',
                         U'\U00010000', U'\U0001F682', U'\U0010FFFF'}) {
    std::string testo;
    aggiungi_utf8(punto, testo);
    const CarattereUtf8 c = leggi_utf8(testo, 0);
    EXPECT_TRUE(c.valido) << static_cast<uint32_t>(punto);
    EXPECT_EQ(c.punto, punto);
    EXPECT_EQ(c.lunghezza, testo.size());
  }
}

}  // namespace
}  // namespace scenario
