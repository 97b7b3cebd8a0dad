#include "reader/train_reader.h"

#include <gtest/gtest.h>

#include "util/reader_test_util.h"

namespace scenario {
namespace {

using namespace test;

TEST(TestoTreno, StoresTheTrainSettings) {
  Prova prova;
  prova.linea(testo_linea(20000)).treno(testo_treno()).esegui();
  const auto& registro = prova.tabelle.registro;
  EXPECT_EQ(prova.tabelle.codice_errore, 0);
  EXPECT_EQ(registro[kVoceTrenoPercorso].inizio, 110);
  EXPECT_EQ(registro[kVoceTrenoPercorso].progressiva, 5);
  EXPECT_EQ(registro[kVoceTrenoPercorso].fine, 20000);
  EXPECT_EQ(registro[kVoceTreno].campo_7, 100);
  // The clock's numbers are separated by blanks only.
  EXPECT_EQ(registro[kVoceTreno].campo_10, 17);
  EXPECT_EQ(registro[kVoceTreno].campo_11, 22);
  EXPECT_EQ(registro[kVoceTreno].campo_12, 0);
}

TEST(TestoTreno, SpeedLimitsAndAdhesionHoldUpToTheNextRecordsCell) {
  Prova prova;
  prova.linea(testo_linea(20000))
      .treno(testo_treno({"aderenza,       0,    80", "aderenza,    1000,    75",
                          "velocita,       0,    75", "velocita,    1000,   100",
                          "velocita,    1050,    72"}))
      .esegui();
  ASSERT_EQ(prova.tabelle.codice_errore, 0);
  for (int i = 0; i <= 540; ++i) {
    const int velocita = i < 20 ? 15 : i == 20 ? 20 : i <= 537 ? 14 : 0;  // 72 km/h: 14.4 -> 14
    const int aderenza = i < 20 ? 80 : i <= 537 ? 75 : 0;
    ASSERT_EQ(prova.cella(i).velocita_max, velocita) << i;
    ASSERT_EQ(prova.cella(i).aderenza, aderenza) << i;
  }
}

TEST(TestoTreno, TheFirstSpeedAndAdhesionAlsoHoldBeforeTheirRecord) {
  Prova prova;
  prova.linea(testo_linea(20000))
      .treno(testo_treno(
          {"velocita,    1000,    80", "aderenza,    1000,    70", "velocita,    2000,    50"}))
      .esegui();
  EXPECT_EQ(prova.cella(0).velocita_max, 16);
  EXPECT_EQ(prova.cella(19).velocita_max, 16);
  EXPECT_EQ(prova.cella(40).velocita_max, 10);
  EXPECT_EQ(prova.cella(0).aderenza, 70);
  EXPECT_EQ(prova.cella(537).aderenza, 70);
}

TEST(TestoTreno, ASpeedLimitMustFitAByteInUnitsOf5) {
  struct Caso {
    int32_t limite;
    int32_t codice;
    int unita;
  } casi[] = {{1277, 0, 255}, {1278, 25, 0}, {-2, 0, 0}, {-3, 25, 0}};
  for (const Caso& caso : casi) {
    Prova prova;
    prova.linea(testo_linea(20000))
        .treno(testo_treno({"velocita,       0,    " + std::to_string(caso.limite)}))
        .esegui();
    EXPECT_EQ(prova.tabelle.codice_errore, caso.codice) << caso.limite;
    if (caso.codice == 0) {
      EXPECT_EQ(prova.cella(100).velocita_max, caso.unita) << caso.limite;
    }
  }
}

TEST(TestoTreno, ValueRecordsCrowdedAtTheGridsEndStayInsideIt) {
  // Route length 0: cells 0 to 140, the last record position admitted 6900.
  std::vector<std::string> righe;
  for (int n = 0; n < 8; ++n) {
    righe.push_back("velocita,    6900,    50");
    righe.push_back("aderenza,    6900,    60");
  }
  Prova prova;
  prova.linea(testo_linea(0)).treno(testo_treno(righe)).esegui();
  EXPECT_EQ(prova.tabelle.codice_errore, 0);
  ASSERT_EQ(prova.tabelle.percorso.size(), 141u);
  for (int i : {0, 137, 138, 139, 140}) {
    EXPECT_EQ(prova.cella(i).velocita_max, 10) << i;
    EXPECT_EQ(prova.cella(i).aderenza, 60) << i;
  }
}

TEST(TestoTreno, CodeCutPoints) {
  Prova prova;
  prova.linea(testo_linea(20000))
      .treno(testo_treno({"abbattimento,  1000,  0", "abbattimento,  2000,  5",
                          "abbattimento,  -25,  7", "abbattimento,  -50,  1"}))
      .esegui();
  EXPECT_EQ(prova.cella(20).tipo, TipoCella::kAbbattimentoSenzaValore);
  EXPECT_EQ(prova.cella(40).tipo, TipoCella::kAbbattimentoConValore);
  EXPECT_EQ(prova.cella(40).valore_1, 5);
  EXPECT_EQ(prova.cella(0).tipo, TipoCella::kAbbattimentoConValore);  // -25 m rounds to cell 0
  // -50 m would be cell -1: outside the grid.
  EXPECT_EQ(prova.tabelle.codice_errore, 15);
  EXPECT_EQ(prova.tabelle.posizione_errore, -50);
}

TEST(TestoTreno, StationExtentsStopPointsAndApproachMarks) {
  Prova prova;
  prova.linea(testo_linea(30000))
      .treno(testo_treno({stazione(0, 8, 300, 0, "BELFORTE SELVEN"), stazione(6600, 12, 800),
                          stazione(17150, 22, 600, 1), stazione(20000, 5, 200),
                          stazione(25000, 28, 400)}))
      .esegui();
  ASSERT_EQ(prova.tabelle.codice_errore, 0);
  const auto& registro = prova.tabelle.registro;
  struct Attesa {
    int voce;
    int32_t inizio, fine;
    int campo_5, campo_6;
  } attese[] = {
      {1, -300, 300, 0, 0},     // the origin: fifth and sixth fields cleared
      {2, 6200, 7000, 1, 0},    //
      {3, 16850, 17500, 1, 1},  // 50 m more for the sixth field
      {4, 19800, 20150, 0, 0},  // kind 5: 150 m past the position; short: fifth cleared
      {5, 24800, 25200, 0, 0},  // kind 28
  };
  for (const Attesa& a : attese) {
    EXPECT_EQ(registro[a.voce].inizio, a.inizio) << a.voce;
    EXPECT_EQ(registro[a.voce].fine, a.fine) << a.voce;
    EXPECT_EQ(registro[a.voce].campo_5, a.campo_5) << a.voce;
    EXPECT_EQ(registro[a.voce].campo_6, a.campo_6) << a.voce;
  }
  EXPECT_EQ(registro[1].nome, "BELFORTE SELVEN");
  EXPECT_EQ(registro[2].progressiva, 6600);
  EXPECT_EQ(registro[2].tipo, 12);

  struct Cella {
    int indice;
    TipoCella tipo;
    int valore_1, avviso;
  } celle[] = {
      // The origin: marks in cells 4, 3, 2 (cell 1 is too low), stop point in 5.
      {1, TipoCella::kBinario, 0, 0},
      {2, TipoCella::kBinario, 0, 83},
      {3, TipoCella::kBinario, 0, 82},
      {4, TipoCella::kBinario, 0, 81},
      {5, TipoCella::kFermata, 1, 0},
      // Kind 12 at 6600: marks 81 to 84 in cells 138 down to 135, stop point 139.
      {134, TipoCella::kBinario, 0, 0},
      {135, TipoCella::kBinario, 0, 84},
      {136, TipoCella::kBinario, 0, 83},
      {137, TipoCella::kBinario, 0, 82},
      {138, TipoCella::kBinario, 0, 81},
      {139, TipoCella::kFermata, 2, 0},
      // Kind 22 ending at 17500.
      {345, TipoCella::kBinario, 0, 84},
      {348, TipoCella::kBinario, 0, 81},
      {349, TipoCella::kFermata, 3, 0},
      // Kind 5: a stop point but no marks.
      {401, TipoCella::kBinario, 0, 0},
      {398, TipoCella::kBinario, 0, 0},
      {402, TipoCella::kFermata, 4, 0},
      // Kind 28: neither.
      {503, TipoCella::kBinario, 0, 0},
      {502, TipoCella::kBinario, 0, 0},
      {499, TipoCella::kBinario, 0, 0},
  };
  for (const Cella& c : celle) {
    EXPECT_EQ(prova.cella(c.indice).tipo, c.tipo) << c.indice;
    EXPECT_EQ(prova.cella(c.indice).valore_1, c.valore_1) << c.indice;
    EXPECT_EQ(prova.cella(c.indice).avviso, c.avviso) << c.indice;
  }
}

TEST(TestoTreno, TheFirstStationsEndKeepsTheFiftyMetresOfItsSixthField) {
  Prova prova;
  prova.linea(testo_linea(20000)).treno(testo_treno({stazione(1000, 12, 400, 1)})).esegui();
  const VoceRegistro& prima = prova.tabelle.registro[1];
  EXPECT_EQ(prima.fine, 1250);
  EXPECT_EQ(prima.campo_6, 0);
  EXPECT_EQ(prima.campo_5, 0);
  EXPECT_EQ(prova.cella(24).tipo, TipoCella::kFermata);
}

TEST(TestoTreno, StationsMustStand350MetresApart) {
  // The first station ends at 300; the second begins at its position less
  // 100. Positions and lengths on 50 m marks keep every gap a multiple of
  // 50, so 300 m is the widest gap refused and 350 m the narrowest accepted.
  struct Caso {
    int32_t posizione;
    int32_t codice;
  } casi[] = {{700, 22}, {750, 0}};
  for (const Caso& caso : casi) {
    Prova prova;
    prova.linea(testo_linea(20000))
        .treno(testo_treno({stazione(0, 8, 300), stazione(caso.posizione, 12, 200)}))
        .esegui();
    EXPECT_EQ(prova.tabelle.codice_errore, caso.codice) << caso.posizione;
    // A refused station has laid its stop point already.
    EXPECT_EQ(prova.cella(caso.posizione / 50 + 1).tipo, TipoCella::kFermata) << caso.posizione;
  }
}

TEST(TestoTreno, StationsStopOneEntryShortOfTheLetteredBoards) {
  // 31 boards take entries 80 to 50: stations may hold entries 1 to 47, and
  // storing the 48th gives code 10 even with no station after it.
  std::vector<std::string> cartelli;
  for (int n = 1; n <= 31; ++n) {
    cartelli.push_back("cartello_indicatore,  " + std::to_string(n * 100) + ",   (C)");
  }
  std::vector<std::string> stazioni;
  for (int n = 1; n <= 48; ++n) stazioni.push_back(stazione(n * 600, 28, 200));
  Prova prova;
  prova.linea(testo_linea(40000, cartelli)).treno(testo_treno(stazioni)).esegui();
  EXPECT_EQ(prova.tabelle.codice_errore, 10);
  const auto& registro = prova.tabelle.registro;
  EXPECT_EQ(registro[47].progressiva, 47 * 600);
  EXPECT_EQ(registro[48].progressiva, 48 * 600);  // stored, then refused
  EXPECT_EQ(registro[49].progressiva, 0);
  EXPECT_EQ(registro[49].nome, "");
  EXPECT_EQ(registro[50].nome, "(C)");
  EXPECT_FALSE(prova.treno_presente());

  // 47 stations are accepted.
  stazioni.pop_back();
  Prova accettata;
  accettata.linea(testo_linea(40000, cartelli)).treno(testo_treno(stazioni)).esegui();
  EXPECT_EQ(accettata.tabelle.codice_errore, 0);

  // Without boards the 79th station is refused: entry 80 never holds one.
  stazioni.clear();
  for (int n = 1; n <= 79; ++n) stazioni.push_back(stazione(n * 600, 28, 200));
  Prova senza_cartelli;
  senza_cartelli.linea(testo_linea(60000)).treno(testo_treno(stazioni)).esegui();
  EXPECT_EQ(senza_cartelli.tabelle.codice_errore, 10);
  EXPECT_EQ(senza_cartelli.tabelle.registro[79].progressiva, 79 * 600);
  EXPECT_EQ(senza_cartelli.tabelle.registro[80].progressiva, 0);
}

TEST(TestoTreno, AStationBeyondTheGridEndsTheSectionButTheListsAreCompleted) {
  // Route length 20000: `ultima_cella` 540; a station may stand up to 26200.
  Prova prova;
  prova.linea(testo_linea(20000))
      .treno(testo_treno({"velocita,       0,    75", "aderenza,       0,    80",
                          stazione(26200, 28, 200), stazione(26900, 28, 200),
                          "velocita,    1000,   100"}))
      .esegui();
  EXPECT_EQ(prova.tabelle.codice_errore, 15);
  EXPECT_EQ(prova.tabelle.posizione_errore, 26900);
  EXPECT_EQ(prova.tabelle.registro[1].progressiva, 26200);
  EXPECT_EQ(prova.tabelle.registro[2].progressiva, 26900);  // its position was read
  EXPECT_EQ(prova.cella(30).velocita_max, 15);              // the later record is not read
  EXPECT_EQ(prova.cella(537).velocita_max, 15);
  EXPECT_EQ(prova.cella(537).aderenza, 80);
  EXPECT_FALSE(prova.treno_presente());
}

TEST(TestoTreno, AStationWhoseStopPointFallsBeyondTheGridIsRefused) {
  // Route length 1000: cells 0 to 160. A kind-12 station at 7200 passes the
  // position check; 1800 m long its stop point would be cell 161.
  struct Caso {
    int tipo;
    int32_t lunghezza;
    int32_t codice;
  } casi[] = {{12, 1800, 15}, {12, 1600, 0}, {28, 4000, 0}};
  for (const Caso& caso : casi) {
    Prova prova;
    prova.linea(testo_linea(1000))
        .treno(testo_treno({"velocita,       0,    75", stazione(7200, caso.tipo, caso.lunghezza)}))
        .esegui();
    EXPECT_EQ(prova.tabelle.codice_errore, caso.codice) << caso.lunghezza;
    ASSERT_EQ(prova.tabelle.percorso.size(), 161u);
    const int avvisi = prova.cella(157).avviso + prova.cella(158).avviso + prova.cella(159).avviso;
    if (caso.codice == 15) {
      EXPECT_EQ(prova.tabelle.posizione_errore, 7200);
      EXPECT_EQ(avvisi, 0);
      EXPECT_EQ(prova.cella(157).velocita_max, 15);  // the closing fills ran
    } else if (caso.tipo == 12) {
      EXPECT_EQ(prova.cella(159).tipo, TipoCella::kFermata);
    }
  }
}

TEST(TestoTreno, StationNamesAndTimes) {
  Prova prova;
  prova.linea(testo_linea(30000))
      .treno(
          testo_treno({stazione(0, 8, 300, 0, "S. MARIA D'ERBE - BASSA"),
                       "stazione,  5000, 11,  400,  0, 0, 0,  0,0,0,  0,0,0,  110,   0, 0, 0, "
                       "PASSO   DEL LUPO",
                       "stazione,  9000, 12,  400,  0, 0, 0,  0,0,0,  0,0,0,   60,  19,27,30, X"}))
      .esegui();
  ASSERT_EQ(prova.tabelle.codice_errore, 0);
  const auto& registro = prova.tabelle.registro;
  EXPECT_EQ(registro[1].nome, "S. MARIA D'ERBE - BASSA");
  EXPECT_EQ(registro[1].orario, (17 * 60 + 23) * 60);
  EXPECT_EQ(registro[1].campo_13, 30);
  EXPECT_EQ(registro[2].nome, "PASSO   DEL LUPO");
  EXPECT_EQ(registro[2].orario, 0);
  EXPECT_EQ(registro[2].campo_13, 110);
  EXPECT_EQ(registro[3].orario, (19 * 60 + 27) * 60 + 30);
}

TEST(TestoTreno, StationFieldsOutOfRangeAreAReadingFailure) {
  const std::string campi = ",  0,0,0,  0,0,0,  30,  ";
  struct Caso {
    const char* nome;
    std::string riga;
  } casi[] = {
      {"a kind above a byte", "stazione,  1000, 256,  400,  0, 0, 0" + campi + "17,23, 0, X"},
      {"an extent past 32 bits",
       "stazione,  1000, 8,  2147483600,  0, 0, 0" + campi + "17,23, 0, X"},
      {"a time past 32 bits", "stazione,  1000, 12,  400,  0, 0, 0" + campi + "2000000,0, 0, X"},
  };
  for (const Caso& caso : casi) {
    Prova prova;
    prova.linea(testo_linea(20000)).treno(testo_treno({caso.riga})).esegui();
    EXPECT_EQ(prova.tabelle.codice_errore, 25) << caso.nome;
    EXPECT_FALSE(prova.treno_presente()) << caso.nome;
  }
}

TEST(TestoTreno, ARecordBeyondTheGridInTheLineTextDoesNotMakeSignalsLookRefused) {
  // Code 15 from the line text stays recorded while the train text is read:
  // the signal and slowdown after it are stored, not taken for refusals.
  Prova prova;
  prova.linea(testo_linea(20000, {"pendenza,  27000,   5"}))
      .treno(testo_treno({"segnale,    4500,   1, 3, 4,  0, 0,    0,  0,0,0, 0",
                          "rallentamento,   10650,    30,  300, 1,  0,  0", stazione(0, 8, 300),
                          "velocita,       0,    75"}))
      .esegui();
  EXPECT_EQ(prova.tabelle.codice_errore, 15);
  EXPECT_EQ(prova.tabelle.posizione_errore, 27000);
  EXPECT_EQ(prova.tabelle.registro[1].fine, 300);
  EXPECT_EQ(prova.cella(537).velocita_max, 15);
  EXPECT_EQ(prova.tabelle.ultima_diagnostica.file, prova.nomi.testo_linea());
}

// What the reader does with the storers' results.
TEST(TestoTreno, WithTheStorers) {
  // A signal on a taken cell ends the procedure with code 16 and its position.
  Prova segnale;
  segnale.linea(testo_linea(20000))
      .treno(testo_treno({"abbattimento,  4550,  0",
                          "segnale,    4500,   1, 3, 4,  0, 0,    0,  0,0,0, 0",
                          "velocita,       0,    75"}))
      .esegui();
  EXPECT_EQ(segnale.tabelle.codice_errore, kErroreSegnaleOccupato);
  EXPECT_EQ(segnale.tabelle.posizione_errore, 4500);
  EXPECT_EQ(segnale.tabelle.ultima_diagnostica.riga, 7);
  EXPECT_FALSE(segnale.treno_presente());
  EXPECT_EQ(segnale.cella(0).velocita_max, 0);  // the procedure ended: no closing fills

  // A code-cut point on a signal's cell gives 7; on a mountain marker it is accepted.
  Prova sul_segnale;
  sul_segnale.linea(testo_linea(20000))
      .treno(testo_treno(
          {"segnale,    4500,   1, 3, 4,  0, 0,    0,  0,0,0, 0", "abbattimento,  4550,  0"}))
      .esegui();
  EXPECT_EQ(sul_segnale.tabelle.codice_errore, 7);
  EXPECT_EQ(sul_segnale.tabelle.posizione_errore, 4550);

  Prova sulla_marca;
  sulla_marca.linea(testo_linea(20000, {"montagna,   20050,  20400,  11"}))
      .treno(testo_treno({"abbattimento,  20200,  4"}))
      .esegui();
  EXPECT_EQ(sulla_marca.tabelle.codice_errore, 0);
  EXPECT_EQ(sulla_marca.cella(404).tipo, TipoCella::kAbbattimentoConValore);
}

}  // namespace
}  // namespace scenario
