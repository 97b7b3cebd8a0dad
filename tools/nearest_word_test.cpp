#include "nearest_word.h"

#include <gtest/gtest.h>

#include <vector>

namespace scenario {
namespace {

const std::vector<std::string> kComandi = {"dump", "export", "compile", "plot", "help"};

// The slips an author makes at the keyboard, and words too far from any
// command to be one of them.
TEST(ParolaVicina, FindsTheCommandAMistypedWordWasMeantToBe) {
  const struct {
    const char* parola;
    const char* attesa;  // nullptr: no suggestion
  } casi[] = {
      {"exprot", "export"},    // two letters swapped
      {"complie", "compile"},  // the same, further in
      {"compil", "compile"},   // one letter short
      {"dumpp", "dump"},       // one too many
      {"plto", "plot"},        // swapped in a short word
      {"PLOT", nullptr},       // the command itself, in capitals: nothing to suggest
      {"Expor", "export"},     // capitals ignored
      {"hepl", "help"},       {"xyz", nullptr},  // nothing near
      {"run", nullptr},      // a short word: one edit at most, and no command is that near
      {"convert", nullptr},  // five edits from "compile"
      {"", nullptr},
  };
  for (const auto& caso : casi) {
    const std::optional<std::string> vicina = parola_vicina(caso.parola, kComandi);
    if (caso.attesa == nullptr) {
      EXPECT_FALSE(vicina.has_value()) << caso.parola << " -> " << vicina.value_or("");
    } else {
      EXPECT_EQ(vicina.value_or("(none)"), caso.attesa) << caso.parola;
    }
  }
}

TEST(DistanzaModifica, CountsInsertionsDeletionsReplacementsAndSwaps) {
  EXPECT_EQ(distanza_modifica("", "abc"), 3u);
  EXPECT_EQ(distanza_modifica("abc", ""), 3u);
  EXPECT_EQ(distanza_modifica("stazone", "stazione"), 1u);
  EXPECT_EQ(distanza_modifica("rallentamneto", "rallentamento"), 1u);
  EXPECT_EQ(distanza_modifica("segnal", "segnale"), 1u);
  EXPECT_EQ(distanza_modifica("kitten", "sitting"), 3u);
  EXPECT_EQ(distanza_modifica("ab", "ba"), 1u);
  EXPECT_EQ(distanza_modifica("--jsno", "--json"), 1u);
}

}  // namespace
}  // namespace scenario
