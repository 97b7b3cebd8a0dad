#include "reader/memorizza_dati.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <set>

#include "util/reader_test_util.h"

namespace scenario {
namespace {

using namespace test;

TEST(MemorizzaDati, ReadsBothTextsAndDeletesThem) {
  Prova prova;
  prova.linea(testo_linea(20000, {"pendenza,  0,   3"}))
      .treno(testo_treno({"velocita,       0,    75", "aderenza,       0,    80"}))
      .esegui();
  const Scenario& tabelle = prova.tabelle;
  EXPECT_EQ(tabelle.codice_errore, 0);
  EXPECT_EQ(tabelle.ultima_diagnostica.file, "");
  EXPECT_FALSE(prova.linea_presente());
  EXPECT_FALSE(prova.treno_presente());
  EXPECT_TRUE(prova.disco.files().empty());

  EXPECT_EQ(tabelle.registro[kVoceLinea].nome, "LINEA DI PROVA - NORD");
  EXPECT_EQ(tabelle.registro[kVoceTreno].nome, "4321");
  EXPECT_EQ(tabelle.ultima_cella, 540);
  ASSERT_EQ(tabelle.percorso.size(), 541u);
  // The value lists reach cell `ultima_cella` - 3; the last three cells keep 0.
  for (int i : {0, 537}) {
    EXPECT_EQ(prova.cella(i).pendenza, 103) << i;
    EXPECT_EQ(prova.cella(i).velocita_max, 15) << i;
    EXPECT_EQ(prova.cella(i).aderenza, 80) << i;
  }
  for (int i : {538, 539, 540}) {
    EXPECT_EQ(prova.cella(i).pendenza, 0) << i;
    EXPECT_EQ(prova.cella(i).velocita_max, 0) << i;
    EXPECT_EQ(prova.cella(i).aderenza, 0) << i;
  }
}

TEST(MemorizzaDati, TheNamesGoIntoTheRecordTableAsCodePageBytes) {
  Prova prova;
  prova.tabelle.nome_linea = "CITT\xC3\x80 ALTA";  // UTF-8 "CITTÀ ALTA"
  prova.esegui();                                  // no line text: error 101
  EXPECT_EQ(prova.tabelle.registro[kVoceLinea].nome, "CITT\xC0 ALTA");
  EXPECT_EQ(prova.tabelle.registro[kVoceTreno].nome, "4321");
}

// Every error the reader records: which texts remain, the position recorded
// and the record the diagnostics point at (its line and column; 0 for none).
TEST(MemorizzaDati, EveryErrorPathRecordsItsCodeAndDeletesTheRightTexts) {
  auto generale_con = [](int riga, const std::string& testo, int32_t lunghezza = 20000) {
    std::vector<std::string> generale = generale_linea(lunghezza);
    generale[static_cast<size_t>(riga - 1)] = testo;
    return generale;
  };
  std::vector<std::string> senza_lunghezza = generale_linea(20000);
  senza_lunghezza.erase(senza_lunghezza.begin() + 1);

  const std::string ok_linea = testo_linea(20000);
  const std::string ok_treno = testo_treno();
  struct Caso {
    const char* nome;
    std::optional<std::string> linea;
    std::optional<std::string> treno;
    int32_t codice;
    int32_t posizione;
    bool linea_resta;
    bool treno_resta;
    bool diagnostica_sul_treno;  // the diagnostics name the train text (else the line text)
    int32_t riga;                // -1: not checked
    int32_t colonna;
  } casi[] = {
      {"101 no line text", std::nullopt, ok_treno, 101, 0, false, true, false, 0, 0},
      {"102 no [generale]", crlf({"[curve]", "pendenza,  0,   0", "[fine]"}), ok_treno, 102, 0,
       false, true, false, 0, 0},
      {"102 an empty line text", "", ok_treno, 102, 0, false, true, false, 0, 0},
      {"1 route length above 1000000",
       testo_linea(generale_con(2, "lunghezza percorso,    1000001"), {}), ok_treno, 1, 0, false,
       true, false, 2, 1},
      {"1 negative route length", testo_linea(generale_con(2, "lunghezza percorso,    -50"), {}),
       ok_treno, 1, 0, false, true, false, 2, 1},
      {"3 first cab-signal position",
       testo_linea(generale_con(9, "ripetizione segnali 4 codici,    120    ,0"), {}), ok_treno, 3,
       0, false, true, false, 9, 1},
      {"4 second cab-signal position",
       testo_linea(generale_con(9, "ripetizione segnali 4 codici,    100,    120"), {}), ok_treno,
       4, 0, false, true, false, 9, 1},
      {"5 cab-signal code system",
       testo_linea(generale_con(9, "  ripetizione segnali codici,    0,    0"), {}), ok_treno, 5, 0,
       false, true, false, 9, 3},
      {"15 line record beyond the grid", testo_linea(20000, {"pendenza,  27000,   5"}), ok_treno,
       15, 27000, false, false, false, 11, 1},
      {"103 curve without a class", testo_linea(20000, {"curvad,  100,  50"}), ok_treno, 103, 0,
       false, true, false, 11, 1},
      {"103 plan point above 1000000", testo_linea(1000000, {"curvad6,  999000,  2000"}), ok_treno,
       103, 0, false, true, false, 11, 1},
      {"6 lettered board on a taken cell",
       testo_linea(20000,
                   {"cartello_indicatore,  1000,   (A)", "cartello_indicatore,  1000,   (B)"}),
       ok_treno, 6, 1000, false, true, false, 12, 1},
      {"25 a letter in a line record", testo_linea(20000, {"pendenza,  1x,   5"}), ok_treno, 25, 0,
       false, false, false, 11, 1},
      {"25 no route length", testo_linea(senza_lunghezza, {}), ok_treno, 25, 0, false, false, false,
       -1, 0},
      {"15 train record beyond the grid", ok_linea, testo_treno({"velocita,   27000,    50"}), 15,
       27000, false, false, true, 6, 1},
      {"7 code-cut point on a taken cell", ok_linea,
       testo_treno({"abbattimento,  1000,  0", "abbattimento,  1000,  3"}), 7, 1000, false, false,
       true, 7, 1},
      {"8 station off a 50 m mark", ok_linea, testo_treno({stazione(125, 12, 200)}), 8, 125, false,
       false, true, 6, 1},
      {"9 station length", ok_linea, testo_treno({stazione(1000, 12, 250)}), 9, 1000, false, false,
       true, 6, 1},
      {"24 stop point on cell 1", ok_linea, testo_treno({stazione(0, 12, 200)}), 24, 0, false,
       false, true, 6, 1},
      {"22 stations too close", ok_linea,
       testo_treno({stazione(0, 8, 300), stazione(700, 12, 200)}), 22, 700, false, false, true, 7,
       1},
      {"2 kilometre reference off a 50 m mark",
       testo_linea(generale_con(3, "progressiva chilometrica uno,    0,    1025,    0"), {}),
       ok_treno, 2, 0, false, false, false, 0, 0},
      {"25 no train text", ok_linea, std::nullopt, 25, 0, false, false, true, 0, 0},
      {"25 a train number out of range", ok_linea,
       crlf({"[generale]", "numero vetture,    5", "sabbia,    40000", "[fine]"}), 25, 0, false,
       false, true, 3, 1},
      {"25 reading past the end", ok_linea, crlf({"[generale]", "segnale,    4500,   1"}), 25, 0,
       false, false, true, 2, 1},
  };
  for (const Caso& caso : casi) {
    Prova prova;
    if (caso.linea) prova.linea(*caso.linea);
    if (caso.treno) prova.treno(*caso.treno);
    prova.esegui();
    const Scenario& tabelle = prova.tabelle;
    EXPECT_EQ(tabelle.codice_errore, caso.codice) << caso.nome;
    EXPECT_EQ(tabelle.posizione_errore, caso.posizione) << caso.nome;
    EXPECT_EQ(prova.linea_presente(), caso.linea_resta) << caso.nome;
    EXPECT_EQ(prova.treno_presente(), caso.treno_resta) << caso.nome;
    const DiagnosticaLettura& diagnostica = tabelle.ultima_diagnostica;
    EXPECT_EQ(diagnostica.file,
              caso.diagnostica_sul_treno ? prova.nomi.testo_treno() : prova.nomi.testo_linea())
        << caso.nome;
    if (caso.riga >= 0) {
      EXPECT_EQ(diagnostica.riga, caso.riga) << caso.nome;
      EXPECT_EQ(diagnostica.colonna, caso.colonna) << caso.nome;
    }
    EXPECT_EQ(diagnostica.dettaglio.empty(), caso.codice != 25) << caso.nome;
  }
}

TEST(MemorizzaDati, AReadingFailureSaysWhatTheFieldInputMet) {
  Prova prova;
  prova.linea(testo_linea(20000, {"pendenza,  1x,   5"})).treno(testo_treno()).esegui();
  EXPECT_EQ(prova.tabelle.ultima_diagnostica.dettaglio,
            "line 11, column 12: \"1x\" is not a whole number");
}

TEST(MemorizzaDati, TextsThatCannotBeDeletedAreAReadingFailure) {
  // The line text is read to its end but cannot be deleted: the handler
  // records 25, deletes the train text and says what it could not delete.
  Prova prova;
  prova.linea(testo_linea(20000)).treno(testo_treno());
  prova.disco.FailWritesTo(prova.nomi.testo_linea());
  prova.esegui();
  EXPECT_EQ(prova.tabelle.codice_errore, 25);
  EXPECT_TRUE(prova.linea_presente());
  EXPECT_FALSE(prova.treno_presente());
  EXPECT_NE(prova.tabelle.ultima_diagnostica.dettaglio.find("Permission denied"),
            std::string::npos);
}

TEST(MemorizzaDati, WithoutARouteLengthNoGridIsLeft) {
  for (int32_t scrivi_linea : {0, 1}) {
    std::vector<std::string> generale = generale_linea(20000);
    generale.erase(generale.begin() + 1);
    Prova prova(scrivi_linea);
    prova.linea(testo_linea(generale, {"pendenza,  0,   3"})).treno(testo_treno()).esegui();
    EXPECT_EQ(prova.tabelle.codice_errore, 25) << scrivi_linea;
    EXPECT_FALSE(prova.tabelle.percorso_dimensionato()) << scrivi_linea;
    EXPECT_FALSE(prova.tabelle.tracciato.esiste()) << scrivi_linea;
    EXPECT_TRUE(prova.disco.files().empty()) << scrivi_linea;
  }
}

TEST(MemorizzaDati, EveryRunStartsWithoutAGrid) {
  // A table used before keeps no grid from the earlier run.
  Prova prova;
  prova.tabelle.dimensiona(5000);
  prova.esegui();  // no line text
  EXPECT_EQ(prova.tabelle.codice_errore, 101);
  EXPECT_FALSE(prova.tabelle.percorso_dimensionato());
  EXPECT_EQ(prova.tabelle.ultima_cella, 0);
}

// Hostile texts: every record kind with numbers at and past every limit.
// Under the sanitizer build this shows that no table is written outside its
// bounds, whatever the texts say. The generator is a fixed-seed mt19937,
// whose sequence is the same everywhere.
TEST(MemorizzaDati, NoTableIsWrittenOutsideItsBoundsWhateverTheTextsSay) {
  std::mt19937 caso(8312);
  auto scegli = [&](uint32_t n) { return caso() % n; };
  for (int prova_n = 0; prova_n < 300; ++prova_n) {
    const int32_t lunghezza = static_cast<int32_t>(scegli(41)) * 50;  // 0 to 2000
    const int64_t fine_griglia = lunghezza + 7000;
    auto numero = [&]() -> std::string {
      static const int64_t estremi[] = {
          -2147483648LL, -100000, -1000, -100, -75,  -50,        -25,       0, 1, 49, 50,
          100,           150,     350,   1500, 1550, 2147483600, 2147483647};
      switch (scegli(16)) {
        case 0:
          return std::to_string(estremi[scegli(std::size(estremi))]);
        case 1:  // near the grid's end
          return std::to_string(fine_griglia - 1000 + static_cast<int64_t>(scegli(25)) * 50);
        default:  // inside the route
          return std::to_string(
              static_cast<int64_t>(scegli(static_cast<uint32_t>(lunghezza) / 50 + 5)) * 50 - 100);
      }
    };
    auto campi = [&](int n) {
      std::string testo;
      for (int i = 0; i < n; ++i) testo += ",  " + numero();
      return testo;
    };

    std::vector<std::string> percorso;
    for (int r = static_cast<int>(scegli(120)); r > 0; --r) {
      switch (scegli(7)) {
        case 0:
          percorso.push_back("pendenza" + campi(2));
          break;
        case 1:
          percorso.push_back(std::string("curva") + "ds"[scegli(2)] +
                             std::to_string(scegli(7) + 1) + campi(2));
          break;
        case 2:
          percorso.push_back("montagna" + campi(2) + ",  " + std::to_string(scegli(13)));
          break;
        case 3:
          percorso.push_back("indicatori_vmax" + campi(9));
          break;
        case 4:
          percorso.push_back("----");
          break;
        default:
          percorso.push_back("cartello_indicatore" + campi(1) + ",   (X)");
          break;
      }
    }
    std::vector<std::string> treno;
    for (int r = static_cast<int>(scegli(120)); r > 0; --r) {
      switch (scegli(8)) {
        case 0:
          treno.push_back("velocita" + campi(2));
          break;
        case 1:
          treno.push_back("aderenza" + campi(2));
          break;
        case 2:
          treno.push_back("segnale" + campi(11));
          break;
        case 3:
          treno.push_back("rallentamento" + campi(6));
          break;
        case 4:
          treno.push_back("abbattimento" + campi(2));
          break;
        default: {
          static const int tipi[] = {5, 6, 7, 8, 11, 12, 22, 28};
          treno.push_back("stazione" + campi(1) + ",  " + std::to_string(tipi[scegli(8)]) + ",  " +
                          std::to_string(static_cast<int>(scegli(120)) * 100 - 1000) +
                          ",  1, 1, 1,  0,0,0,  0,0,0,  30,  17,23, 0, N");
          break;
        }
      }
    }

    Prova prova(static_cast<int32_t>(scegli(2)));
    prova.linea(testo_linea(lunghezza, percorso)).treno(testo_treno(treno)).esegui();
    const Scenario& tabelle = prova.tabelle;
    static const std::set<int32_t> codici = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,   10,  15,
                                             16, 17, 18, 19, 20, 21, 22, 24, 25, 101, 102, 103};
    EXPECT_EQ(codici.count(tabelle.codice_errore), 1u) << tabelle.codice_errore;
    if (tabelle.percorso_dimensionato()) {
      EXPECT_EQ(tabelle.percorso.size(), static_cast<size_t>(tabelle.ultima_cella) + 1);
    }
    EXPECT_EQ(tabelle.registro[0].nome, "");
    EXPECT_EQ(tabelle.registro[0].progressiva, 0);
    EXPECT_EQ(tabelle.montagna_inizio[0], 0);
    if (tabelle.tracciato.esiste()) {
      EXPECT_LE(tabelle.tracciato.prossimo_punto(), tabelle.tracciato.ultimo_indice() - 1);
    }
  }
}

}  // namespace
}  // namespace scenario
