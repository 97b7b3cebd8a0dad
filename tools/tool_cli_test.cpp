#include "tool_cli.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// A name that cannot be a part of a file name is refused before any path is
// built from it: status 64, the character and its place named, nothing read
// or written.
TEST(EseguiStrumento, ALineNameOrTrainNumberThatCannotNameAFileIsRefusedWithStatus64) {
  const struct {
    const char* opzione;
    std::string valore;
    std::string messaggio;
  } casi[] = {
      {"--line-name", "../fuori", "the line name \"../fuori\" has \"..\" at character 1"},
      {"--line-name", "A/B", "the line name \"A/B\" has \"/\" at character 2"},
      {"--line-name", "", "the line name is empty"},
      {"--line-name", "L\x1b]0;x\x07",
       "the line name \"L\\e]0;x\\a\" has the control character \\e"},
      {"--line-name", "ŁINIA",
       "has \"Ł\" (U+0141) at character 1, which the simulator's code page"},
      {"--train-number", "83:12", "the train number \"83:12\" has \":\" at character 3"},
      {"--train-number", "/etc", "the train number \"/etc\" has \"/\" at character 1"},
  };
  for (const char* comando : {"compile", "plot"}) {
    for (const auto& caso : casi) {
      MemoryFileSystem fs;
      const NomiFile nomi{"dir", "L", "1"};
      fs.files()[nomi.testo_linea()] = "[generale]\r\n";
      const auto prima = fs.files();
      std::vector<std::string> argomenti = {comando,          "dir", "--line-name", "L",
                                            "--train-number", "1"};
      if (std::string(comando) == "plot") argomenti.insert(argomenti.end(), {"--svg", "p.svg"});
      const auto posto = std::find(argomenti.begin(), argomenti.end(), caso.opzione);
      *(posto + 1) = caso.valore;
      const Uscite u = esegui(fs, argomenti);
      EXPECT_EQ(u.esito, kEsitoUso) << caso.valore;
      EXPECT_EQ(u.err.rfind("scenario-tool " + std::string(comando) + ": ", 0), 0u) << u.err;
      EXPECT_NE(u.err.find(caso.messaggio), std::string::npos) << u.err;
      EXPECT_EQ(u.err.find('\x1b'), std::string::npos) << "a raw escape reached the terminal";
      EXPECT_EQ(u.out, "");
      EXPECT_TRUE(fs.files() == prima);
    }
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
