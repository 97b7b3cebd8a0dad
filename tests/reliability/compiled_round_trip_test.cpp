// The compiled files read back as the tables they were written from, and
// write back the same bytes: for the package's own scenario and for every
// seed of the fuzzers.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "content/source_texts.h"
#include "reliability/compile_texts.h"

namespace scenario {
namespace {

using namespace test;

namespace fs = std::filesystem;

TEST(RiletturaFileCompilati, ThePackagesOwnScenario) {
  ProvaCompilazione prova;
  ASSERT_TRUE(dati_linea(prova.file_system, prova.nomi).ok());
  ASSERT_TRUE(dati_treno(prova.file_system, prova.nomi).ok());
  const std::string linea = prova.file_system.files().at(prova.nomi.testo_linea());
  const std::string treno = prova.file_system.files().at(prova.nomi.testo_treno());
  compila_testi({linea, treno}, &prova);
  ASSERT_EQ(prova.risultato.esito, EsitoCompilazione::kCompletata);
  ASSERT_EQ(prova.risultato.file_scritti.size(), 3u);
  EXPECT_EQ(controlla_rilettura(prova), "");
}

TEST(RiletturaFileCompilati, EverySeedOfTheFuzzers) {
  int completati = 0;
  for (const auto& voce : fs::directory_iterator(fs::path(BM_FUZZ_DIR) / "seeds")) {
    std::ifstream in(voce.path(), std::ios::binary);
    const std::string dati(std::istreambuf_iterator<char>(in), {});
    ProvaCompilazione prova;
    compila_testi(dividi_ingresso(dati), &prova);
    EXPECT_EQ(controlla_rilettura(prova), "") << voce.path();
    completati += prova.risultato.esito == EsitoCompilazione::kCompletata ? 1 : 0;
  }
  EXPECT_GE(completati, 3) << "the seeds should give some compiled files to read back";
}

}  // namespace
}  // namespace scenario
