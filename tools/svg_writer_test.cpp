#include "svg_writer.h"

#include <gtest/gtest.h>

namespace scenario {
namespace {

TEST(TestoXml, EscapesMarkupAndDropsWhatXmlCannotHold) {
  const struct {
    std::string_view entrata;
    std::string_view uscita;
  } casi[] = {
      {"a & b <c> \"d\" 'e'", "a &amp; b &lt;c&gt; &quot;d&quot; &apos;e&apos;"},
      {"30\u00b0 \u20ac \U0001F682", "30\u00b0 \u20ac \U0001F682"},
      {std::string_view("x\0y\x01\t\n", 6), "x?y?\t\n"},
      {"\xB0 \xC3 \xE2\x82 \xC0\xAF \xED\xA0\x80 \xEF\xBF\xBF", "? ? ?? ?? ??? ???"},
  };
  for (const auto& caso : casi) EXPECT_EQ(testo_xml(caso.entrata), caso.uscita) << caso.entrata;
}

TEST(Num, OneDecimalAtMostAndNoNegativeZero) {
  const struct {
    double valore;
    const char* testo;
  } casi[] = {{0, "0"}, {12.0, "12"}, {12.25, "12.2"}, {-0.04, "0"}, {1e300 * 1e300, "0"}};
  for (const auto& caso : casi) EXPECT_EQ(num(caso.valore), caso.testo) << caso.valore;
}

TEST(Elemento, AttributesInTheOrderGivenTheirValuesMadeSafe) {
  EXPECT_EQ(Elemento("circle")("cx", "9")("r", "2.5").chiuso(), "<circle cx=\"9\" r=\"2.5\"/>");
  EXPECT_EQ(Elemento("g")("class", "legend").aperto(), "<g class=\"legend\">");
  EXPECT_EQ(Elemento("title").con("a &amp; b"), "<title>a &amp; b</title>");
  EXPECT_EQ(Elemento("text")("data-name", "\"A\" & <B>").con(""),
            "<text data-name=\"&quot;A&quot; &amp; &lt;B&gt;\"></text>");
}

}  // namespace
}  // namespace scenario
