#include "scenario_names.h"

#include <gtest/gtest.h>

#include <sstream>

#include "base/memory_file_system.h"
#include "exit_codes.h"

namespace scenario {
namespace {

struct Caso {
  const char* nome;
  std::vector<std::string> file;  // in the folder "d"
  std::optional<std::string> linea;
  std::optional<std::string> treno;
  int esito;                 // of nomi_del_comando
  const char* linea_attesa;  // when taken
  const char* treno_atteso;
  const char* messaggio;  // a part of what is said on err
};

// The names are read off the one pair of source texts that agrees with
// what was given; no pair, or more than one, is refused with what was found.
TEST(NomiDelComando, TakesTheNamesFromTheOnePairOfSourceTextsInTheFolder) {
  const Caso casi[] = {
      {"one pair",
       {"VAL ROSA - PIAN_linea.txt", "VAL ROSA - PIAN_4711-.txt", "VAL ROSA - PIAN_4711_note.txt",
        "readme.txt"},
       {},
       {},
       kEsitoRiuscito,
       "VAL ROSA - PIAN",
       "4711",
       "taking line name \"VAL ROSA - PIAN\" and train number \"4711\" from d"},
      {"nothing in the folder",
       {},
       {},
       {},
       kEsitoUso,
       nullptr,
       nullptr,
       "no --line-name and --train-number given, and the folder \"d\" cannot tell: it holds no "
       "line text NAME_linea.txt with a train text NAME_NUM-.txt (source texts found: none); give "
       "--line-name and --train-number to choose"},
      {"two trains of one line",
       {"L_linea.txt", "L_1-.txt", "L_2-.txt"},
       {},
       {},
       kEsitoUso,
       nullptr,
       nullptr,
       "it holds more than one pair of source texts (source texts found: \"L_1-.txt\", "
       "\"L_2-.txt\", \"L_linea.txt\")"},
      {"the train number chooses",
       {"L_linea.txt", "L_1-.txt", "L_2-.txt"},
       {},
       "2",
       kEsitoRiuscito,
       "L",
       "2",
       "taking line name \"L\" and train number \"2\""},
      {"the line name chooses",
       {"A_linea.txt", "A_1-.txt", "B_linea.txt", "B_7-.txt"},
       "B",
       {},
       kEsitoRiuscito,
       "B",
       "7",
       "from d"},
      {"a train text of another line",
       {"A_linea.txt", "B_1-.txt"},
       {},
       {},
       kEsitoUso,
       nullptr,
       nullptr,
       "(source texts found: \"A_linea.txt\", \"B_1-.txt\")"},
      {"the train given is not there",
       {"L_linea.txt", "L_1-.txt"},
       {},
       "9",
       kEsitoUso,
       nullptr,
       nullptr,
       "no --line-name given, and the folder \"d\" cannot tell: it holds no line text "
       "NAME_linea.txt with a train text NAME_NUM-.txt for the train \"9\""},
      {"a line name with an underscore pairs once",
       {"A_B_linea.txt", "A_B_3-.txt"},
       {},
       {},
       kEsitoRiuscito,
       "A_B",
       "3",
       ""},
      {"two ways to split one train text",
       {"A_linea.txt", "A_B_linea.txt", "A_B_3-.txt"},
       {},
       {},
       kEsitoUso,
       nullptr,
       nullptr,
       "more than one pair"},
      {"names taken are checked like given ones",
       {"CON_linea.txt", "CON_1-.txt"},
       {},
       {},
       kEsitoUso,
       "CON",
       "1",
       "line name \"CON\""},
      {"a control character in a file name is written out",
       {"L\x1b[2J_linea.txt", "L\x1b[2J_1-.txt"},
       "X",
       {},
       kEsitoUso,
       nullptr,
       nullptr,
       "\"L\\e[2J_linea.txt\""},
      {"both given: the folder is not looked at", {}, "L", "1", kEsitoRiuscito, "L", "1", ""},
      {"a crowded folder is listed in part",
       {"A_linea.txt", "A_01-.txt", "A_02-.txt", "A_03-.txt", "A_04-.txt", "A_05-.txt",
        "A_06-.txt",   "A_07-.txt", "A_08-.txt", "A_09-.txt", "A_10-.txt", "A_11-.txt",
        "A_12-.txt",   "A_13-.txt", "A_14-.txt", "A_15-.txt", "A_16-.txt", "A_17-.txt",
        "A_18-.txt",   "A_19-.txt", "A_20-.txt", "A_21-.txt"},
       {},
       {},
       kEsitoUso,
       nullptr,
       nullptr,
       "\"A_20-.txt\" and 2 more)"},
  };
  for (const Caso& caso : casi) {
    MemoryFileSystem fs;
    for (const std::string& f : caso.file) fs.files()["d/" + f] = "x";
    fs.files()["e/OTHER_linea.txt"] = "another folder";
    std::ostringstream err;
    NomiScenario nomi;
    const int esito = nomi_del_comando(fs, "plot", "d", caso.linea, caso.treno, &nomi, err);
    EXPECT_EQ(esito, caso.esito) << caso.nome << ": " << err.str();
    if (caso.linea_attesa != nullptr) {
      EXPECT_EQ(nomi.nome_linea, caso.linea_attesa) << caso.nome;
      EXPECT_EQ(nomi.numero_treno, caso.treno_atteso) << caso.nome;
    }
    EXPECT_NE(err.str().find(caso.messaggio), std::string::npos) << caso.nome << ": " << err.str();
    EXPECT_EQ(err.str().find('\x1b'), std::string::npos) << caso.nome;
    if (caso.esito != kEsitoRiuscito) {
      EXPECT_EQ(err.str().rfind("scenario-tool plot: ", 0), 0u) << err.str();
    }
  }
}

// A wrong train number writes nothing: the train text looked for is named
// with the texts the folder holds.
TEST(ControllaTestoTreno, NamesTheMissingTrainTextAndWhatTheFolderHolds) {
  MemoryFileSystem fs;
  const NomiFile presenti{"d", "L", "1"}, sbagliati{"d", "L", "81"};
  fs.files()[presenti.testo_linea()] = "x";
  fs.files()[presenti.testo_treno()] = "x";
  std::ostringstream err;
  EXPECT_EQ(controlla_testo_treno(fs, "compile", presenti, err), kEsitoRiuscito);
  EXPECT_EQ(err.str(), "");
  EXPECT_EQ(controlla_testo_treno(fs, "compile", sbagliati, err), kEsitoFallito);
  EXPECT_EQ(err.str(), "scenario-tool compile: the train text \"" + sbagliati.testo_treno() +
                           "\" cannot be read (No such file or directory); nothing written (source "
                           "texts in the folder: "
                           "\"L_1-.txt\", \"L_linea.txt\")\n");
  std::ostringstream senza_linea;
  EXPECT_EQ(controlla_testo_treno(fs, "compile", NomiFile{"d", "M", "1"}, senza_linea),
            kEsitoRiuscito)
      << "no line text either: the compile's own error 101 says so";
}

}  // namespace
}  // namespace scenario
