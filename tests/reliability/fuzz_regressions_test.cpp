// Replays every input the fuzzer of the compile step ever reported, and its
// hand-written seeds, in the plain and sanitizer builds: each must compile
// without a crash and keep every rule of `controlla_invarianti`.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "reliability/compile_texts.h"

namespace scenario {
namespace {

using namespace test;

namespace fs = std::filesystem;

std::vector<fs::path> file_di(const fs::path& cartella) {
  std::vector<fs::path> file;
  for (const auto& voce : fs::directory_iterator(cartella)) {
    if (voce.is_regular_file() && voce.path().filename().string()[0] != '.' &&
        voce.path().extension() != ".md") {
      file.push_back(voce.path());
    }
  }
  return file;
}

void ripeti(const fs::path& cartella) {
  ASSERT_TRUE(fs::is_directory(cartella)) << cartella;
  for (const fs::path& nome : file_di(cartella)) {
    std::ifstream in(nome, std::ios::binary);
    const std::string dati(std::istreambuf_iterator<char>(in), {});
    ProvaCompilazione prova;
    compila_testi(dividi_ingresso(dati), &prova);
    EXPECT_EQ(controlla_invarianti(prova), "") << nome;
  }
}

TEST(FuzzRegressions, EveryInputThatEverFailedNowCompilesCleanly) {
  ripeti(fs::path(BM_FUZZ_DIR) / "regressions");
}

TEST(FuzzRegressions, EveryHandWrittenSeedCompilesCleanly) {
  ripeti(fs::path(BM_FUZZ_DIR) / "seeds");
}

TEST(FuzzRegressions, AnInputSplitsIntoLineAndTrainTextAtItsFirstNulByte) {
  const std::string dati("linea\0treno\0coda", 16);
  const TestiProva testi = dividi_ingresso(dati);
  ASSERT_TRUE(testi.linea && testi.treno);
  EXPECT_EQ(*testi.linea, "linea");
  EXPECT_EQ(*testi.treno, std::string_view("treno\0coda", 10));
  const TestiProva solo_linea = dividi_ingresso("linea");
  EXPECT_EQ(*solo_linea.linea, "linea");
  EXPECT_FALSE(solo_linea.treno.has_value());
}

}  // namespace
}  // namespace scenario
