// Replays every input the fuzzers ever reported, and the compile fuzzer's
// hand-written seeds, in the plain and sanitizer builds: each must compile
// without a crash and keep every rule of `controlla_invarianti`, or read as
// compiled files keeping every rule of `prova_dump`.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "content/source_texts.h"
#include "reliability/compile_texts.h"
#include "reliability/dump_bytes.h"

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

std::string contenuto(const fs::path& nome) {
  std::ifstream in(nome, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void ripeti(const fs::path& cartella) {
  ASSERT_TRUE(fs::is_directory(cartella)) << cartella;
  for (const fs::path& nome : file_di(cartella)) {
    ProvaCompilazione prova;
    compila_testi(dividi_ingresso(contenuto(nome)), &prova);
    EXPECT_EQ(controlla_invarianti(prova), "") << nome;
  }
}

TEST(FuzzRegressions, EveryInputThatEverFailedNowCompilesCleanly) {
  ripeti(fs::path(BM_FUZZ_DIR) / "regressions");
}

TEST(FuzzRegressions, EveryHandWrittenSeedCompilesCleanly) {
  ripeti(fs::path(BM_FUZZ_DIR) / "seeds");
}

TEST(FuzzRegressions, EveryInputThatEverFailedTheDumpNowPasses) {
  const fs::path cartella = fs::path(BM_FUZZ_DIR) / "dump-regressions";
  ASSERT_TRUE(fs::is_directory(cartella)) << cartella;
  for (const fs::path& nome : file_di(cartella)) EXPECT_EQ(prova_dump(contenuto(nome)), "") << nome;
}

// The dump fuzzer's seeds are the package's own compiled files, made at build
// time: they read back and dump cleanly, and so does every file a compile of
// the compile fuzzer's seeds writes.
TEST(FuzzRegressions, TheCompiledFilesOfTheSeedsPassTheDump) {
  std::vector<std::string> testi{""};
  for (const fs::path& nome : file_di(fs::path(BM_FUZZ_DIR) / "seeds")) {
    testi.push_back(contenuto(nome));
  }
  int file = 0;
  for (const std::string& dati : testi) {
    ProvaCompilazione prova;
    if (dati.empty()) {
      ASSERT_TRUE(dati_linea(prova.file_system, prova.nomi).ok());
      ASSERT_TRUE(dati_treno(prova.file_system, prova.nomi).ok());
      compila_testi({prova.file_system.files().at(prova.nomi.testo_linea()),
                     prova.file_system.files().at(prova.nomi.testo_treno())},
                    &prova);
    } else {
      compila_testi(dividi_ingresso(dati), &prova);
    }
    for (const std::string& nome : prova.risultato.file_scritti) {
      EXPECT_EQ(prova_dump(prova.file_system.files().at(nome)), "") << nome;
      ++file;
    }
  }
  EXPECT_GE(file, 12);
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
