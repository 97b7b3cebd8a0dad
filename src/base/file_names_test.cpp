#include "base/file_names.h"

#include <gtest/gtest.h>

namespace scenario {
namespace {

std::string sep(std::string text) {
  for (char& c : text) {
    if (c == '|') c = kSeparatore;
  }
  return text;
}

TEST(ComponiNome, AppendsOneSeparatorWhateverTheFolderEndsWith) {
  EXPECT_EQ(componi_nome("dir", {"a", "_b", ".txt"}), sep("dir|a_b.txt"));
  EXPECT_EQ(componi_nome(sep("root|"), {"x"}), sep("root||x"));
  EXPECT_EQ(componi_nome("", {"x"}), sep("|x"));
}

TEST(NomiFile, ComposesEveryFileOfTheRun) {
  const NomiFile nomi{"C", "BELFORTE SELVEN - MELAR", "8312"};
  EXPECT_EQ(nomi.testo_linea(), sep("C|BELFORTE SELVEN - MELAR_linea.txt"));
  EXPECT_EQ(nomi.testo_treno(), sep("C|BELFORTE SELVEN - MELAR_8312-.txt"));
  EXPECT_EQ(nomi.note(), sep("C|BELFORTE SELVEN - MELAR_8312_note.txt"));
  EXPECT_EQ(nomi.rallentamenti(), sep("C|BELFORTE SELVEN - MELAR_8312_rallentamenti.txt"));
  EXPECT_EQ(nomi.scheda_treno(), sep("C|BELFORTE SELVEN - MELAR_8312_scheda_treno.txt"));
  EXPECT_EQ(nomi.linea_compilata(), sep("C|BELFORTE SELVEN - MELAR_linea.dat"));
  EXPECT_EQ(nomi.scenario_compilato(), sep("C|BELFORTE SELVEN - MELAR_8312.sim"));
  EXPECT_EQ(nomi.percorso_compilato(), sep("C|BELFORTE SELVEN - MELAR_8312.dat"));
}

}  // namespace
}  // namespace scenario
