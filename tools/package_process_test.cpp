// Packages made by the real tool and run as a player runs them: copied into
// an empty folder and started from another one, with no arguments.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "util/tool_texts_test_util.h"

namespace {

namespace fs = std::filesystem;

struct Esito {
  int stato = -1;
  std::string err;
};

std::string leggi(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void scrivi(const fs::path& file, const std::string& byte) {
  std::ofstream(file, std::ios::binary) << byte;
}

// Runs `programma` with `argomenti` from the root folder; standard error is
// kept.
Esito esegui(const fs::path& programma, const std::vector<std::string>& argomenti = {}) {
  const fs::path err = fs::temp_directory_path() / ("bm_pkg_" + std::to_string(getpid()) + ".err");
  const pid_t pid = fork();
  if (pid == 0) {
    const int fe = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int nulla = open("/dev/null", O_WRONLY);
    if (fe < 0 || nulla < 0 || dup2(nulla, 1) < 0 || dup2(fe, 2) < 0 || chdir("/") != 0) _exit(126);
    std::vector<char*> argv{const_cast<char*>(programma.c_str())};
    for (const std::string& a : argomenti) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(programma.c_str(), argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  Esito esito{WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), leggi(err)};
  fs::remove(err);
  return esito;
}

Esito strumento(const std::vector<std::string>& argomenti) {
  return esegui(BM_TOOL_PATH, argomenti);
}

fs::path cartella_nuova(const std::string& nome) {
  const fs::path cartella =
      fs::temp_directory_path() / ("bm_pkg_" + nome + "_" + std::to_string(getpid()));
  fs::remove_all(cartella);
  fs::create_directories(cartella);
  return cartella;
}

// Every file in `cartella` but `tranne`, by name.
std::map<std::string, std::string> contenuto(const fs::path& cartella, const std::string& tranne) {
  std::map<std::string, std::string> file;
  for (const auto& voce : fs::directory_iterator(cartella)) {
    const std::string nome = voce.path().filename().string();
    if (nome != tranne) file[nome] = leggi(voce.path());
  }
  return file;
}

// Copies `programma` into a fresh folder under the name `nome` and runs it
// there.
Esito installa(const fs::path& programma, const fs::path& cartella, const std::string& nome) {
  fs::copy_file(programma, cartella / nome, fs::copy_options::overwrite_existing);
  return esegui(cartella / nome);
}

// The package's own scenario, exported and packed, installs exactly the
// files the built-in installer installs, byte for byte, twice over.
TEST(PackageProcess, TheExportedScenarioInstallsWhatTheInstallerInstalls) {
  const fs::path autore = cartella_nuova("autore");
  const fs::path consegna = cartella_nuova("consegna");
  ASSERT_EQ(strumento({"export", autore.string()}).stato, 0);
  const fs::path pacchetto = consegna / "belforte-melar-8312-pacchetto";
  const Esito fatto =
      strumento({"package", autore.string(), "--line-name", "BELFORTE SELVEN - MELAR",
                 "--train-number", "8312", "--target", "linux", "--out", pacchetto.string()});
  ASSERT_EQ(fatto.stato, 0) << fatto.err;
  EXPECT_EQ(fatto.err, "");

  const fs::path installatore = cartella_nuova("installatore");
  ASSERT_EQ(installa(BM_INSTALLER_PATH, installatore, "belforte-melar-8312").stato, 0);
  const auto attesi = contenuto(installatore, "belforte-melar-8312");
  ASSERT_EQ(attesi.size(), 6u);

  const fs::path gioco = cartella_nuova("gioco");
  for (int giro = 1; giro <= 2; ++giro) {
    const Esito esito = installa(pacchetto, gioco, "pacchetto");
    ASSERT_EQ(esito.stato, 0) << esito.err;
    EXPECT_TRUE(contenuto(gioco, "pacchetto") == attesi) << "run " << giro;
  }
  for (const fs::path& c : {autore, consegna, installatore, gioco}) fs::remove_all(c);
}

// Another scenario, its line name with blanks and an apostrophe, and one
// crew document missing: the package installs the documents it has and
// compiles the texts to the bytes `compile` writes.
TEST(PackageProcess, AnotherScenarioInstallsAndCompilesAsCompileDoes) {
  const std::string linea = "VAL D'ORSA - PIANELLO";
  const fs::path autore = cartella_nuova("altro_autore");
  scrivi(autore / (linea + "_linea.txt"), scenario::test::testo_linea_prova());
  scrivi(autore / (linea + "_2047-.txt"), scenario::test::testo_treno_prova());
  scrivi(autore / (linea + "_2047_note.txt"), "Linea di prova.\r\n");
  scrivi(autore / (linea + "_2047_scheda_treno.txt"), "Treno 2047\r\n");
  const fs::path compilati = cartella_nuova("compilati");
  ASSERT_EQ(strumento({"compile", autore.string(), "--line-name", linea, "--train-number", "2047",
                       "--out", compilati.string()})
                .stato,
            0);
  const fs::path consegna = cartella_nuova("altra_consegna");
  const fs::path pacchetto = consegna / "val-d-orsa-2047";
  const Esito fatto = strumento({"package", autore.string(), "--line-name", linea, "--train-number",
                                 "2047", "--out", pacchetto.string()});
  ASSERT_EQ(fatto.stato, 0) << fatto.err;
  EXPECT_NE(fatto.err.find("_2047_rallentamenti.txt: warning: not found"), std::string::npos)
      << fatto.err;
  EXPECT_NE(fs::status(pacchetto).permissions() & fs::perms::owner_exec, fs::perms::none);

  const fs::path gioco = cartella_nuova("altro_gioco");
  const Esito esito = installa(pacchetto, gioco, "val-d-orsa-2047");
  ASSERT_EQ(esito.stato, 0) << esito.err;
  auto attesi = contenuto(compilati, "");
  attesi[linea + "_2047_note.txt"] = "Linea di prova.\r\n";
  attesi[linea + "_2047_scheda_treno.txt"] = "Treno 2047\r\n";
  EXPECT_TRUE(contenuto(gioco, "val-d-orsa-2047") == attesi);
  for (const fs::path& c : {autore, compilati, consegna, gioco}) fs::remove_all(c);
}

// One byte changed, a copy cut short and the bare program: each is refused
// in Italian with status 2, and the folder holds nothing but the program.
TEST(PackageProcess, ADamagedPackageIsRefusedWithNothingWritten) {
  const fs::path autore = cartella_nuova("danni_autore");
  ASSERT_EQ(strumento({"export", autore.string()}).stato, 0);
  const fs::path pacchetto = autore / "pacchetto";
  ASSERT_EQ(strumento({"package", autore.string(), "--line-name", "BELFORTE SELVEN - MELAR",
                       "--train-number", "8312", "--out", pacchetto.string()})
                .stato,
            0);
  const std::string sano = leggi(pacchetto);
  const std::string nudo = leggi(BM_PACKAGE_PROGRAM_PATH);
  ASSERT_EQ(sano.substr(0, nudo.size()), nudo);
  std::string alterato = sano;
  alterato[nudo.size() + (sano.size() - nudo.size()) / 2] ^= 0x04;
  const struct {
    const char* caso;
    std::string programma;
    const char* motivo;
  } casi[] = {
      {"one byte changed", alterato, "Il programma \u00e8 danneggiato"},
      {"cut short", sano.substr(0, sano.size() - 5000), "Il programma \u00e8 incompleto"},
      {"the bare program", nudo, "Il programma non contiene alcuno scenario"},
  };
  for (const auto& caso : casi) {
    const fs::path gioco = cartella_nuova("danni_gioco");
    scrivi(gioco / "pacchetto", caso.programma);
    fs::permissions(gioco / "pacchetto", fs::perms::owner_all);
    const Esito esito = esegui(gioco / "pacchetto");
    EXPECT_EQ(esito.stato, 2) << caso.caso;
    EXPECT_EQ(esito.err.rfind("Installazione non riuscita.\n", 0), 0u) << caso.caso << esito.err;
    EXPECT_NE(esito.err.find(caso.motivo), std::string::npos) << caso.caso << esito.err;
    EXPECT_EQ(contenuto(gioco, "pacchetto").size(), 0u) << caso.caso;
    fs::remove_all(gioco);
  }
  fs::remove_all(autore);
}

}  // namespace
