#include "tool_cli.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "base/file_names.h"
#include "base/memory_file_system.h"
#include "base/version.h"
#include "content/builtin_content.h"
#include "exit_codes.h"
#include "util/compiled_bytes_test_util.h"
#include "util/tool_texts_test_util.h"

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
      {"compile", "dir", "--line-name", "L", "--train-number", "1", "--colour"},
      {"plot", "dir", "--line-name", "L", "--train-number", "1"},
      {"export"},
      {"export", "dir", "--json"},
      {"exprot", "dir"},
      {"help", "frobnicate"},
      {"help", "dump", "plot"},
      {"--versoin"},
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
      {{"export", "--help"}, {"DIR", "--force"}},
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
    // Every help ends with an example of the command at work.
    const std::string comando = caso.argomenti[0] == "--help" ? "" : caso.argomenti[0] + " ";
    const size_t esempio = u.out.rfind("Example");
    ASSERT_NE(esempio, std::string::npos) << u.out;
    EXPECT_NE(u.out.find("  scenario-tool " + comando, esempio), std::string::npos) << u.out;

    // "help COMMAND" says the same as "COMMAND --help".
    std::vector<std::string> aiuto = {"help"};
    if (!comando.empty()) aiuto.push_back(caso.argomenti[0]);
    const Uscite h = esegui(fs, aiuto);
    EXPECT_EQ(h.esito, kEsitoRiuscito);
    EXPECT_EQ(h.out, u.out);
    EXPECT_EQ(h.err, "");
  }
}

TEST(EseguiStrumento, VersionIsTheProjectsOwn) {
  MemoryFileSystem fs;
  const Uscite u = esegui(fs, {"--version"});
  EXPECT_EQ(u.esito, kEsitoRiuscito);
  EXPECT_EQ(u.out, "scenario-tool " + std::string(kVersione) + "\n");
  EXPECT_EQ(u.err, "");
}

// A mistyped command or option is answered with the one it was probably
// meant to be, still as a usage error that writes nothing.
TEST(EseguiStrumento, AMistypedCommandOrOptionGetsADidYouMean) {
  const struct {
    std::vector<std::string> argomenti;
    std::string detto;  // what the error says
  } casi[] = {
      {{"exprot", "dir"}, "scenario-tool: unknown command \"exprot\"; did you mean \"export\"?"},
      {{"complie"}, "unknown command \"complie\"; did you mean \"compile\"?"},
      {{"help", "plto"}, "unknown command \"plto\"; did you mean \"plot\"?"},
      {{"frobnicate"}, "scenario-tool: unknown command \"frobnicate\"\n"},
      {{"compile", "dir", "--jsno"},
       "scenario-tool compile: unknown option \"--jsno\"; did you mean \"--json\"?"},
      {{"plot", "dir", "--svg=a.svg", "--line-nmae=L"},
       "unknown option \"--line-nmae\"; did you mean \"--line-name\"?"},
      {{"export", "dir", "--froce"}, "unknown option \"--froce\"; did you mean \"--force\"?"},
      {{"dump", "f", "--colour"}, "scenario-tool dump: unknown option \"--colour\"\n"},
      {{"--versoin"}, "scenario-tool: unknown option \"--versoin\"; did you mean \"--version\"?"},
  };
  for (const auto& caso : casi) {
    MemoryFileSystem fs;
    const Uscite u = esegui(fs, caso.argomenti);
    EXPECT_EQ(u.esito, kEsitoUso) << caso.argomenti[0];
    EXPECT_NE(u.err.find(caso.detto), std::string::npos) << u.err;
    EXPECT_EQ(u.out, "");
    EXPECT_TRUE(fs.files().empty());
  }
}

// Names left out are read off the folder's one pair of source texts, for
// compile and for plot alike; without such a pair nothing is read or written.
TEST(EseguiStrumento, CompileAndPlotTakeTheNamesFromTheFolder) {
  MemoryFileSystem fs;
  const NomiFile nomi{"dir", "L", "1"};
  fs.files()[nomi.testo_linea()] = test::testo_linea_prova();
  fs.files()[nomi.testo_treno()] = test::testo_treno_prova();
  const Uscite compilato = esegui(fs, {"compile", "dir"});
  EXPECT_EQ(compilato.esito, kEsitoRiuscito) << compilato.err;
  EXPECT_EQ(compilato.err,
            "scenario-tool compile: taking line name \"L\" and train number \"1\" from dir\n");
  EXPECT_EQ(fs.files().count(nomi.scenario_compilato()), 1u);
  const Uscite disegnato = esegui(fs, {"plot", "dir", "--train-number", "1", "--svg", "p.svg"});
  EXPECT_EQ(disegnato.esito, kEsitoRiuscito) << disegnato.err;
  EXPECT_EQ(fs.files().count("p.svg"), 1u);

  const struct {
    std::vector<std::string> argomenti;
    std::string detto;
  } rifiutati[] = {
      {{"compile", "dir", "--train-number", "2"},
       "scenario-tool compile: no --line-name given, and the folder \"dir\" cannot tell"},
      {{"compile", "dir", "--line-name", "M"},
       "scenario-tool compile: no --train-number given, and the folder \"dir\" cannot tell"},
      {{"plot", "empty", "--svg", "q.svg"},
       "scenario-tool plot: no --line-name and --train-number given, and the folder \"empty\" "
       "cannot tell"},
  };
  for (const auto& caso : rifiutati) {
    const auto prima = fs.files();
    const Uscite u = esegui(fs, caso.argomenti);
    EXPECT_EQ(u.esito, kEsitoUso) << caso.argomenti[2];
    EXPECT_EQ(u.err.rfind(caso.detto, 0), 0u) << u.err;
    EXPECT_TRUE(fs.files() == prima);
  }
}

// A picture of a compile that recorded an error says so over the route, with
// the diagnostic and its hint, and plot ends with status 1.
TEST(EseguiStrumento, PlotMarksThePictureOfACompileThatRecordedAnError) {
  MemoryFileSystem fs;
  const NomiFile nomi{"dir", "L", "1"};
  fs.files()[nomi.testo_linea()] = test::testo_linea_prova();
  fs.files()[nomi.testo_treno()] =
      test::sostituisci(test::testo_treno_prova(), "segnale,    5450", "segnale,    4500");
  const Uscite u = esegui(fs, {"plot", "dir", "--svg", "p.svg"});
  EXPECT_EQ(u.esito, kEsitoErroreCodice) << u.err;
  const std::string& svg = fs.files().at("p.svg");
  EXPECT_NE(svg.find("class=\"error-banner\""), std::string::npos);
  EXPECT_NE(svg.find(":18:13: error 16: signal on an occupied cell at 4500 m</text>"),
            std::string::npos);
  EXPECT_NE(svg.find(":18:13: note: move the signal"), std::string::npos);
  fs.files()[nomi.testo_treno()] = test::testo_treno_prova();
  ASSERT_EQ(esegui(fs, {"plot", "dir", "--svg", "p.svg"}).esito, kEsitoRiuscito);
  EXPECT_EQ(fs.files().at("p.svg").find("error-banner"), std::string::npos);
}

// A wrong train number leaves no empty compiled files behind.
TEST(EseguiStrumento, CompileWritesNothingWithoutTheTrainTextItLooksFor) {
  MemoryFileSystem fs;
  const NomiFile nomi{"dir", "L", "1"};
  fs.files()[nomi.testo_linea()] = test::testo_linea_prova();
  fs.files()[nomi.testo_treno()] = test::testo_treno_prova();
  const auto prima = fs.files();
  for (const char* comando : {"compile", "plot"}) {
    std::vector<std::string> argomenti = {comando,          "dir", "--line-name", "L",
                                          "--train-number", "9"};
    if (std::string(comando) == "plot") argomenti.insert(argomenti.end(), {"--svg", "p.svg"});
    const Uscite u = esegui(fs, argomenti);
    EXPECT_EQ(u.esito, kEsitoFallito) << comando;
    EXPECT_NE(u.err.find("the train text \"" + NomiFile{"dir", "L", "9"}.testo_treno() +
                         "\" cannot be read ("),
              std::string::npos)
        << u.err;
    EXPECT_TRUE(fs.files() == prima) << comando;
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

// Export never writes over what stands in the folder without --force: every
// file already there is named before anything is written.
TEST(EseguiStrumento, ExportReplacesExistingFilesOnlyWithForce) {
  MemoryFileSystem fs;
  const NomiFile nomi = contenuto_incorporato().nomi_in("modello");
  fs.files()[nomi.testo_treno()] = "the author's edited train";
  fs.files()[nomi.scheda_treno()] = "the author's edited card";
  const auto prima = fs.files();
  const Uscite rifiutato = esegui(fs, {"export", "modello"});
  EXPECT_EQ(rifiutato.esito, kEsitoFallito);
  EXPECT_EQ(rifiutato.out, "");
  EXPECT_EQ(rifiutato.err, "scenario-tool export: \"" + nomi.testo_treno() +
                               "\" already exists\n"
                               "scenario-tool export: \"" +
                               nomi.scheda_treno() +
                               "\" already exists\n"
                               "scenario-tool export: nothing written; give --force to replace "
                               "the files above\n");
  EXPECT_TRUE(fs.files() == prima);

  const Uscite forzato = esegui(fs, {"export", "modello", "--force"});
  EXPECT_EQ(forzato.esito, kEsitoRiuscito) << forzato.err;
  EXPECT_EQ(fs.files().size(), 5u);
  EXPECT_NE(fs.files().at(nomi.testo_treno()), "the author's edited train");
}

// Export's folder, compile's --out and the picture's folder are made when
// missing, every level of them.
TEST(EseguiStrumento, TheFoldersWrittenIntoAreMadeWhenMissing) {
  namespace stdfs = std::filesystem;
  const stdfs::path base = stdfs::temp_directory_path() / "bm_tool_cli_folders";
  stdfs::remove_all(base);
  const std::string autore = (base / "a" / "b").string();
  const std::string uscita = (base / "out" / "x").string();
  const std::string svg = (base / "pictures" / "route.svg").string();
  std::ostringstream out, err;
  EXPECT_EQ(esegui_strumento({"scenario-tool", "export", autore}, disk_file_system(), out, err),
            kEsitoRiuscito)
      << err.str();
  EXPECT_EQ(esegui_strumento({"scenario-tool", "compile", autore, "--out", uscita},
                             disk_file_system(), out, err),
            kEsitoRiuscito)
      << err.str();
  EXPECT_EQ(esegui_strumento({"scenario-tool", "plot", autore, "--svg", svg}, disk_file_system(),
                             out, err),
            kEsitoRiuscito)
      << err.str();
  const NomiFile compilati = contenuto_incorporato().nomi_in(uscita);
  EXPECT_TRUE(stdfs::is_regular_file(compilati.scenario_compilato()));
  EXPECT_TRUE(stdfs::is_regular_file(svg));
  for (const std::string& cartella : {autore, uscita, (base / "pictures").string()}) {
    EXPECT_NE(err.str().find("made the folder \"" + cartella + "\""), std::string::npos)
        << err.str();
  }
  stdfs::remove_all(base);
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
