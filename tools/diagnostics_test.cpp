#include "diagnostics.h"

#include <gtest/gtest.h>

#include <sstream>

namespace scenario {
namespace {

TEST(Diagnostiche, NameTheFileTheMeaningAndThePosition) {
  const struct {
    int32_t codice;
    int32_t posizione;
    const char* attesa;
  } casi[] = {
      {6, 20050, "d/L_linea.txt: error 6: lettered board on an occupied cell at 20050 m"},
      {16, 4500, "d/L_1-.txt: error 16: signal on an occupied cell at 4500 m"},
      {101, 0, "d/L_linea.txt: error 101: no line source text in the folder"},
      {12, 23400,
       "finishing pass: error 12: no free cell for a code-cut point in a trio (5-7, 11-13 or 18-20 cells) "
       "before a slowdown start at cell 468 (23400 m)"},
      {11, 150,
       "finishing pass: error 11: no free cell and no code-cut point in the two cells before a signal that "
       "stands 1 to 20 cells before a slowdown warning board at cell 3 (150 m)"},
      {15, 99000,
       "error 15: record outside the route grid (positions reach the route length + 6900 m, stations the route "
       "length + 6200 m) at 99000 m"},
      {77, 5, "error 77: an error code this tool does not know"},
  };
  for (const auto& caso : casi) {
    Scenario tabelle;
    tabelle.codice_errore = caso.codice;
    tabelle.posizione_errore = caso.posizione;
    const std::vector<Diagnostica> d =
        diagnostiche(tabelle, {"d/L_linea.txt", "d/L_1-.txt"}, {"o/L_linea.txt", "o/L_1-.txt"});
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].codice, caso.codice);
    EXPECT_EQ(riga_diagnostica(d[0]), caso.attesa);
  }
  EXPECT_TRUE(diagnostiche(Scenario{}, {"a", "b"}, {"a", "b"}).empty());
}

// The reader says which text, line and column it was reading; the tool names
// the author's text for the one the compile step read.
TEST(Diagnostiche, PointAtTheRecordTheReaderWasReading) {
  const TestiSorgente autore{"d/L_linea.txt", "d/L_1-.txt"};
  const TestiSorgente compilati{"o/L_linea.txt", "o/L_1-.txt"};
  const struct {
    int32_t codice;
    int32_t posizione;
    DiagnosticaLettura lettura;
    const char* attesa;
  } casi[] = {
      {6,
       1150,
       {"o/L_linea.txt", 212, 1, ""},
       "d/L_linea.txt:212:1: error 6: lettered board on an occupied cell at 1150 m"},
      {15,
       99000,
       {"o/L_1-.txt", 40, 1, ""},
       "d/L_1-.txt:40:1: error 15: record outside the route grid (positions reach the route length + 6900 m, "
       "stations the route length + 6200 m) at 99000 m"},
      {10,
       0,
       {"o/L_linea.txt", 90, 1, ""},
       "d/L_linea.txt:90:1: error 10: too many stations and lettered boards for the record table (they share "
       "entries 1 to 80)"},
      {2,
       0,
       {"o/L_1-.txt", 0, 0, ""},
       "d/L_1-.txt: error 2: a kilometre reference (progressiva chilometrica) has a first or second number that "
       "is not a multiple of 50"},
      {25,
       0,
       {"o/L_linea.txt", 11, 1, "line 11, column 12: \"1x\" is not a whole number"},
       "d/L_linea.txt:11:1: error 25: a source text could not be read: line 11, column 12: \"1x\" is not a whole "
       "number"},
      // The finishing pass runs after the reader: its codes point at no record.
      {13,
       6450,
       {"o/L_1-.txt", 30, 1, ""},
       "finishing pass: error 13: no free cell for a code-cut point inside a slowdown below 110 km/h (every 8th "
       "cell) or just before the first signal after its end at cell 129 (6450 m)"},
  };
  for (const auto& caso : casi) {
    Scenario tabelle;
    tabelle.codice_errore = caso.codice;
    tabelle.posizione_errore = caso.posizione;
    tabelle.ultima_diagnostica = caso.lettura;
    const std::vector<Diagnostica> d = diagnostiche(tabelle, autore, compilati);
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(riga_diagnostica(d[0]), caso.attesa);
  }
}

TEST(Diagnostiche, PutLineAndColumnBetweenFileAndCode) {
  Diagnostica d{"BELFORTE_linea.txt", 212, 1, 6, "lettered board on an occupied cell at 20050 m"};
  EXPECT_EQ(riga_diagnostica(d),
            "BELFORTE_linea.txt:212:1: error 6: lettered board on an occupied cell at 20050 m");
  d.colonna.reset();
  EXPECT_EQ(riga_diagnostica(d),
            "BELFORTE_linea.txt:212: error 6: lettered board on an occupied cell at 20050 m");
}

// The hint follows its error on a line of its own, under the same prefix; a
// code the table lacks has none.
TEST(Diagnostiche, FollowEachErrorWithItsHint) {
  Scenario tabelle;
  tabelle.codice_errore = kErroreSegnaleOccupato;
  tabelle.posizione_errore = 4500;
  tabelle.ultima_diagnostica = {"o/L_1-.txt", 18, 1, ""};
  std::ostringstream err;
  stampa_diagnostiche(
      diagnostiche(tabelle, {"d/L_linea.txt", "d/L_1-.txt"}, {"o/L_linea.txt", "o/L_1-.txt"}), err);
  EXPECT_EQ(err.str(),
            "d/L_1-.txt:18:1: error 16: signal on an occupied cell at 4500 m\n"
            "d/L_1-.txt:18:1: note: " +
                std::string(descrivi_codice(kErroreSegnaleOccupato).rimedio) + "\n");

  tabelle.codice_errore = kErroreTerna;
  const std::vector<Diagnostica> passata = diagnostiche(tabelle, {"a", "b"}, {"a", "b"});
  ASSERT_EQ(passata.size(), 1u);
  EXPECT_TRUE(riga_rimedio(passata[0]).starts_with("finishing pass: note: keep a cell free"));

  tabelle.codice_errore = 77;
  const std::vector<Diagnostica> ignoto = diagnostiche(tabelle, {"a", "b"}, {"a", "b"});
  ASSERT_EQ(ignoto.size(), 1u);
  EXPECT_EQ(riga_rimedio(ignoto[0]), "");
}

TEST(MessaggioEsito, NamesWhatOccupiesTheReservedSlot) {
  Scenario tabelle;
  tabelle.dimensiona(0);
  tabelle.percorso[1].tipo = TipoCella::kSegnale;
  tabelle.percorso[1].valore_1 = 30;
  tabelle.percorso[1].valore_2 = 40;
  EXPECT_EQ(
      messaggio_esito(EsitoCompilazione::kErrore1250, tabelle),
      "error 1250: a reserved slot for the stamps is occupied, nothing written: route cell 1 holds a signal "
      "(kind 1) with valore_1 30; cell 1 takes the objects placed at 0 m and the code-cut points at 50 m.");
  EXPECT_EQ(
      messaggio_esito(EsitoCompilazione::kErrore1251, tabelle),
      "error 1251: a reserved slot for the competition codes is occupied, nothing written: route cell 1 holds a "
      "signal (kind 1) with valore_2 40; cell 1 takes the objects placed at 0 m and the code-cut points at 50 m.");
  tabelle.registro[kVoceLinea].campo_7 = 3;
  tabelle.percorso[1] = CellaPercorso{};
  EXPECT_EQ(
      messaggio_esito(EsitoCompilazione::kErrore1250, tabelle),
      "error 1250: a reserved slot for the stamps is occupied, nothing written: registro entry 85 campo_7 holds 3.");
  EXPECT_EQ(messaggio_esito(EsitoCompilazione::kCompletata, tabelle), "");
  EXPECT_NE(messaggio_esito(EsitoCompilazione::kNessunaGriglia, tabelle).find("no route grid"),
            std::string::npos);
}

}  // namespace
}  // namespace scenario
