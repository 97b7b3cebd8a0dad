#include "tool_cli.h"

#include <gtest/gtest.h>

#include <sstream>

#include "base/file_names.h"
#include "base/memory_file_system.h"
#include "content/builtin_content.h"
#include "exit_codes.h"
#include "util/compiled_bytes_test_util.h"

namespace scenario {
namespace {

struct Uscite {
  int esito;
  std::string out;
  std::string err;
};

Uscite esegui(MemoryFileSystem& fs, std::vector<std::string> argomenti) {
  argomenti.insert(argomenti.begin(), "scenario-tool");
  std::ostringstream out, err;
  const int esito = esegui_strumento(argomenti, fs, out, err);
  return {esito, out.str(), err.str()};
}

TEST(EseguiStrumento, RefusesAWrongCommandLineWithStatus64) {
  const std::vector<std::vector<std::string>> casi = {
      {},
      {"frobnicate"},
      {"dump"},
      {"dump", "a.sim", "b.sim"},
      {"dump", "a.sim", "--kind", "picture"},
      {"dump", "a.sim", "--points", "0"},
      {"compile", "dir", "--train-number", "1"},
      {"compile", "dir", "--line-name", "L"},
      {"compile", "dir", "--line-name", "L", "--train-number", "1", "--colour"},
      {"plot", "dir", "--line-name", "L", "--train-number", "1"},
      {"export"},
      {"export", "dir", "--json"},
  };
  for (const auto& argomenti : casi) {
    MemoryFileSystem fs;
    const Uscite u = esegui(fs, argomenti);
    std::string riga;
    for (const auto& a : argomenti) riga += a + " ";
    EXPECT_EQ(u.esito, kEsitoUso) << riga;
    EXPECT_EQ(u.out, "") << riga;
    EXPECT_NE(u.err.find("--help"), std::string::npos) << riga << ": " << u.err;
    EXPECT_TRUE(fs.files().empty()) << riga;
  }
}

TEST(EseguiStrumento, HelpForTheToolAndEachCommandGoesToStandardOutput) {
  const struct {
    std::vector<std::string> argomenti;
    std::vector<std::string> parole;
  } casi[] = {
      {{"--help"}, {"dump", "export", "compile", "plot", "64"}},
      {{"dump", "--help"}, {"FILE", "--json", "--kind", "--points", "--from", "--to"}},
      {{"export", "--help"}, {"DIR"}},
      {{"compile", "--help"}, {"--line-name", "--train-number", "--no-plan", "--out", "--json"}},
      {{"plot", "--help"}, {"--svg", "--line-name", "--train-number"}},
  };
  for (const auto& caso : casi) {
    MemoryFileSystem fs;
    const Uscite u = esegui(fs, caso.argomenti);
    EXPECT_EQ(u.esito, kEsitoRiuscito) << caso.argomenti[0];
    EXPECT_EQ(u.err, "");
    for (const auto& parola : caso.parole)
      EXPECT_NE(u.out.find(parola), std::string::npos) << parola << "\n" << u.out;
  }
}

TEST(EseguiStrumento, DumpsAFileGivenOnTheCommandLine) {
  MemoryFileSystem fs;
  fs.files()["copia"] = test::griglia_di_prova(141);
  const Uscite u = esegui(fs, {"dump", "copia", "--kind", "grid", "--json"});
  EXPECT_EQ(u.esito, kEsitoRiuscito) << u.err;
  EXPECT_EQ(u.out.rfind("{\"kind\":\"grid\",\"bytes\":2115,", 0), 0u) << u.out;
}

TEST(EseguiStrumento, ExportWritesTheTextsAndDocumentsAndCompilesNothing) {
  MemoryFileSystem fs;
  const NomiFile nomi = contenuto_incorporato().nomi_in("modello");
  fs.files()[nomi.scenario_compilato()] = "an older compile stays";
  const Uscite u = esegui(fs, {"export", "modello"});
  EXPECT_EQ(u.esito, kEsitoRiuscito) << u.err;
  EXPECT_EQ(fs.files().at(nomi.scenario_compilato()), "an older compile stays");
  EXPECT_EQ(fs.files().size(), 6u) << "five files written, nothing compiled";
  for (const auto& [nome, contenuto] : fs.files()) {
    EXPECT_TRUE(nome == nomi.testo_linea() || nome == nomi.testo_treno() || nome == nomi.note() ||
                nome == nomi.rallentamenti() || nome == nomi.scheda_treno() ||
                nome == nomi.scenario_compilato())
        << nome;
    if (nome != nomi.scenario_compilato()) {
      EXPECT_NE(u.out.find("wrote " + nome + "\n"), std::string::npos) << nome;
    }
  }
}

TEST(EseguiStrumento, ExportIntoAFolderThatCannotBeWrittenStopsWithStatus2) {
  MemoryFileSystem fs;
  const NomiFile nomi = contenuto_incorporato().nomi_in("modello");
  for (const std::string& nome : {nomi.testo_linea(), nomi.testo_treno(), nomi.note(),
                                  nomi.rallentamenti(), nomi.scheda_treno()}) {
    fs.FailWritesTo(nome);
  }
  const Uscite u = esegui(fs, {"export", "modello"});
  EXPECT_EQ(u.esito, kEsitoFallito);
  EXPECT_EQ(u.out, "");
  EXPECT_EQ(u.err.rfind("scenario-tool export: ", 0), 0u) << u.err;
  EXPECT_NE(u.err.find("modello"), std::string::npos) << u.err;
  EXPECT_TRUE(fs.files().empty());
}

}  // namespace
}  // namespace scenario
