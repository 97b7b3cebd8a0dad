// Runs the built programs as an author runs them: scenario-tool's exit
// statuses, its compile against the installer's own, and its picture opened
// in a real browser.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "util/xml_test_util.h"

namespace {

namespace fs = std::filesystem;

const char* const kLinea = "BELFORTE SELVEN - MELAR";
const char* const kTreno = "8312";

struct Esito {
  int stato = -1;
  std::string out;
  std::string err;
};

std::string leggi(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Runs `programma` with `argomenti` from the folder `cartella`, killing it
// after `limite`.
Esito esegui(const std::string& programma, const std::vector<std::string>& argomenti,
             const fs::path& cartella, std::chrono::seconds limite = std::chrono::seconds(60)) {
  const fs::path base = fs::temp_directory_path() / ("bm_tool_" + std::to_string(getpid()));
  const fs::path out = base.string() + ".out", err = base.string() + ".err";
  const pid_t pid = fork();
  if (pid == 0) {
    setpgid(0, 0);
    const int fo = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int fe = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fo < 0 || fe < 0 || dup2(fo, 1) < 0 || dup2(fe, 2) < 0 || chdir(cartella.c_str()) != 0)
      _exit(126);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(programma.c_str()));
    for (const std::string& a : argomenti) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execvp(programma.c_str(), argv.data());
    _exit(127);
  }
  int status = 0;
  const auto scadenza = std::chrono::steady_clock::now() + limite;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > scadenza) {
      kill(-pid, SIGKILL);
      waitpid(pid, &status, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  Esito esito;
  esito.stato = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  esito.out = leggi(out);
  esito.err = leggi(err);
  fs::remove(out);
  fs::remove(err);
  return esito;
}

Esito strumento(const std::vector<std::string>& argomenti,
                const fs::path& cartella = fs::temp_directory_path()) {
  return esegui(BM_TOOL_PATH, argomenti, cartella);
}

fs::path cartella_nuova(const std::string& nome) {
  const fs::path cartella =
      fs::temp_directory_path() / ("bm_tool_" + nome + "_" + std::to_string(getpid()));
  fs::remove_all(cartella);
  fs::create_directories(cartella);
  return cartella;
}

std::map<std::string, std::string> contenuto(const fs::path& cartella) {
  std::map<std::string, std::string> file;
  for (const auto& voce : fs::directory_iterator(cartella)) {
    file[voce.path().filename().string()] = leggi(voce.path());
  }
  return file;
}

TEST(ScenarioToolProcess, ExitStatuses) {
  const fs::path cartella = cartella_nuova("status");
  std::ofstream(cartella / "corto.sim", std::ios::binary) << "sixteen bytes!!!";
  const struct {
    std::vector<std::string> argomenti;
    int stato;
    const char* su_stderr;
  } casi[] = {
      {{"--help"}, 0, ""},
      {{}, 64, "scenario-tool: "},
      {{"compile", "."}, 64, "--line-name"},
      {{"dump", "corto.sim"},
       2,
       "scenario-tool dump: \"corto.sim\" is not a compiled train scenario: the file ends"},
      {{"dump", "assente.dat"}, 2, "scenario-tool dump: "},
      // Refused at once, never read until memory runs out.
      {{"dump", "/dev/zero", "--kind", "grid"}, 2, "\"/dev/zero\": is a device, not a file"},
  };
  for (const auto& caso : casi) {
    const Esito e = strumento(caso.argomenti, cartella);
    EXPECT_EQ(e.stato, caso.stato) << e.err;
    EXPECT_NE(e.err.find(caso.su_stderr), std::string::npos) << e.err;
  }
  fs::remove_all(cartella);
}

// The tool compiles the exported texts into exactly the files the installer
// leaves, and keeps the texts.
TEST(ScenarioToolProcess, CompileOfTheExportedScenarioGivesTheInstallersFiles) {
  const fs::path installato = cartella_nuova("installer");
  fs::copy_file(BM_INSTALLER_PATH, installato / "belforte-melar-8312");
  const Esito installer = esegui((installato / "belforte-melar-8312").string(), {}, fs::path("/"));
  fs::remove(installato / "belforte-melar-8312");

  const fs::path autore = cartella_nuova("author");
  const Esito esportato = strumento({"export", autore.string()});
  ASSERT_EQ(esportato.stato, 0) << esportato.err;
  const auto testi = contenuto(autore);
  const Esito compilato =
      strumento({"compile", autore.string(), "--line-name", kLinea, "--train-number", kTreno});
  EXPECT_EQ(compilato.stato, installer.stato) << compilato.err << installer.err;

  // The installer leaves the documents and the compiled files; the author's
  // folder holds the same plus the two texts.
  const auto attesi = contenuto(installato);
  for (const char* coda : {"_linea.dat", "_8312.sim", "_8312.dat"}) {
    ASSERT_EQ(attesi.count(kLinea + std::string(coda)), 1u) << coda << ": the installer left none";
  }
  const auto trovati = contenuto(autore);
  for (const auto& [nome, byte] : attesi) {
    ASSERT_EQ(trovati.count(nome), 1u) << nome;
    EXPECT_TRUE(trovati.at(nome) == byte) << nome << " differs from the installer's";
  }
  for (const auto& [nome, byte] : testi) {
    ASSERT_EQ(trovati.count(nome), 1u) << nome << " was deleted";
    EXPECT_TRUE(trovati.at(nome) == byte) << nome << " changed";
  }
  for (const auto& [nome, byte] : trovati) {
    EXPECT_TRUE(attesi.count(nome) + testi.count(nome) > 0)
        << nome << ": neither the installer's nor a text";
  }
  fs::remove_all(installato);
  fs::remove_all(autore);
}

// Two compiles into one folder started together take turns: each says it
// wrote the three files, and the folder holds exactly what one compile leaves.
TEST(ScenarioToolProcess, CompilesStartedTogetherIntoOneFolderEachWriteWholeFiles) {
  const fs::path autore = cartella_nuova("together");
  ASSERT_EQ(strumento({"export", autore.string()}).stato, 0);
  const std::vector<std::string> compila = {"compile", autore.string(),  "--line-name",
                                            kLinea,    "--train-number", kTreno};
  ASSERT_EQ(strumento(compila).stato, 0);
  const auto atteso = contenuto(autore);

  constexpr int kGiri = 20;
  for (int giro = 0; giro < kGiri; ++giro) {
    std::vector<pid_t> figli;
    for (int k = 0; k < 2; ++k) {
      const pid_t pid = fork();
      if (pid == 0) {
        const int nulla = open("/dev/null", O_WRONLY);
        if (nulla < 0 || dup2(nulla, 1) < 0 || dup2(nulla, 2) < 0) _exit(126);
        std::vector<char*> argv = {const_cast<char*>(BM_TOOL_PATH)};
        for (const std::string& a : compila) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(BM_TOOL_PATH, argv.data());
        _exit(127);
      }
      figli.push_back(pid);
    }
    for (const pid_t pid : figli) {
      int status = 0;
      waitpid(pid, &status, 0);
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << giro;
    }
    ASSERT_TRUE(contenuto(autore) == atteso) << "round " << giro;
  }
  fs::remove_all(autore);
}

// Width and height of a PNG image, from its header; 0 x 0 if it is none.
std::pair<uint32_t, uint32_t> misure_png(const std::string& png) {
  if (png.size() < 24 || png.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 ||
      png.compare(12, 4, "IHDR") != 0)
    return {0, 0};
  auto be32 = [&](size_t i) {
    return (uint32_t{static_cast<uint8_t>(png[i])} << 24) |
           (uint32_t{static_cast<uint8_t>(png[i + 1])} << 16) |
           (uint32_t{static_cast<uint8_t>(png[i + 2])} << 8) |
           uint32_t{static_cast<uint8_t>(png[i + 3])};
  };
  return {be32(16), be32(20)};
}

TEST(ScenarioToolProcess, ThePlotOpensInAHeadlessBrowser) {
  const fs::path autore = cartella_nuova("plot");
  ASSERT_EQ(strumento({"export", autore.string()}).stato, 0);
  const fs::path svg = autore / "plot.svg";
  const Esito disegnato = strumento({"plot", autore.string(), "--line-name", kLinea,
                                     "--train-number", kTreno, "--svg", svg.string()});
  ASSERT_EQ(disegnato.stato, 0) << disegnato.err;
  const std::string testo = leggi(svg);
  const scenario::test::EsitoXml xml = scenario::test::controlla_xml(testo);
  ASSERT_TRUE(xml.ok()) << xml.errore;
  EXPECT_EQ(scenario::test::con_classe(xml, "track").size(), 1u);
  EXPECT_EQ(scenario::test::con_classe(xml, "station").size(), 27u);
  EXPECT_EQ(scenario::test::con_classe(xml, "signal").size(), 42u);
  EXPECT_EQ(scenario::test::con_classe(xml, "board").size(), 31u);
  EXPECT_EQ(scenario::test::con_classe(xml, "slowdown").size(), 5u);
  EXPECT_FALSE(scenario::test::con_classe(xml, "tunnel").empty());
  EXPECT_LT(testo.size(), 400'000u);

  fs::create_directories(BM_ARTIFACTS_DIR);
  const fs::path png = fs::path(BM_ARTIFACTS_DIR) / "plot.png";
  fs::remove(png);
  const fs::path profilo = cartella_nuova("chromium_profile");
  const Esito browser =
      esegui("chromium",
             {"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
              "--disable-background-networking", "--disable-component-update", "--disable-sync",
              "--hide-scrollbars", "--user-data-dir=" + profilo.string(), "--window-size=1200,1700",
              "--screenshot=" + png.string(), "file://" + svg.string()},
             profilo, std::chrono::seconds(120));
  EXPECT_EQ(browser.stato, 0) << browser.err;
  const auto [larghezza, altezza] = misure_png(leggi(png));
  EXPECT_EQ(larghezza, 1200u) << browser.err;
  EXPECT_EQ(altezza, 1700u);
  EXPECT_GT(fs::file_size(png), 20'000u) << "a picture with something on it";
  fs::remove_all(profilo);
  fs::remove_all(autore);
}

}  // namespace
