#include "reader/error_codes.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/memory_file_system.h"
#include "compiler/compile_step.h"
#include "util/reader_test_util.h"

namespace scenario {
namespace {

using namespace test;

TEST(CodiciErrore, EveryRowSaysWhatItMeansWhereItArisesAndHowToMendIt) {
  for (const DescrizioneCodice& riga : codici_errore()) {
    SCOPED_TRACE(riga.codice);
    EXPECT_FALSE(riga.significato.empty());
    EXPECT_FALSE(riga.rimedio.empty());
    EXPECT_NE(riga.origine, OrigineCodice::kSconosciuta);
    // Read after "error N: " and "note: ": lower case, no full stop.
    EXPECT_FALSE(riga.significato.ends_with('.'));
    EXPECT_FALSE(riga.rimedio.ends_with('.'));
    EXPECT_EQ(descrivi_codice(riga.codice).significato, riga.significato);
  }
  // Every code has its own id, lower-case words joined by hyphens.
  std::set<std::string_view> id;
  for (const DescrizioneCodice& riga : codici_errore()) {
    EXPECT_TRUE(id.insert(riga.id).second) << riga.id << " twice";
    EXPECT_FALSE(riga.id.empty());
    EXPECT_EQ(riga.id.find_first_not_of("abcdefghijklmnopqrstuvwxyz-"), std::string_view::npos)
        << riga.id;
  }
  for (int32_t ignoto : {0, 14, 23, 26, 99, 1252}) {
    EXPECT_EQ(descrivi_codice(ignoto).origine, OrigineCodice::kSconosciuta) << ignoto;
    EXPECT_EQ(descrivi_codice(ignoto).significato, "an error code this tool does not know");
    EXPECT_FALSE(codice_registrabile(ignoto)) << ignoto;
  }
  EXPECT_TRUE(codice_registrabile(kErroreLettura));
  EXPECT_FALSE(codice_registrabile(kErroreSlotTimbri));
  EXPECT_FALSE(codice_registrabile(kErroreSlotCodiciGara));
}

// Every row of the table is raised by some pair of texts, and only the rows
// of the table are: the code, the position it records, the text the reader
// names with it, as the row says.
TEST(CodiciErrore, EveryCodeOfTheTableArisesFromSomeTexts) {
  const auto generale_con = [](int riga, const std::string& testo) {
    std::vector<std::string> generale = generale_linea(20000);
    generale[static_cast<size_t>(riga - 1)] = testo;
    return testo_linea(generale, {});
  };
  const auto segnale = [](int32_t posizione, int s1 = 3, int s2 = 4) {
    return "segnale,    " + std::to_string(posizione) + ",   1, " + std::to_string(s1) + ", " +
           std::to_string(s2) + ",  0, 0,    0,  0,0,0, 0";
  };
  const std::string linea = testo_linea(20000);
  // A slowdown at 6000 m, 30 km/h: warning board in cell 97, start 121, end
  // 127 (with 300 m) or 137 (with 800 m).
  const std::string rallentamento = "rallentamento,    6000,    30,  300, 1,  0,  0";
  std::vector<std::string> cartelli;
  for (int32_t k = 1; k <= 80; ++k) {
    cartelli.push_back("cartello_indicatore,  " + std::to_string(100 * k) + ",   (A)");
  }

  struct Caso {
    std::optional<std::string> linea;
    std::string treno;
    int32_t codice;
    int32_t posizione;
  } casi[] = {
      {generale_con(2, "lunghezza percorso,    1000001"), testo_treno(), 1, 0},
      {generale_con(3, "progressiva chilometrica uno,    0,    1025,    0"), testo_treno(), 2, 0},
      {generale_con(9, "ripetizione segnali 4 codici,    120    ,0"), testo_treno(), 3, 0},
      {generale_con(9, "ripetizione segnali 4 codici,    100,    120"), testo_treno(), 4, 0},
      {generale_con(9, "ripetizione segnali codici,    0,    0"), testo_treno(), 5, 0},
      {testo_linea(20000,
                   {"cartello_indicatore,  1000,   (A)", "cartello_indicatore,  1000,   (B)"}),
       testo_treno(), 6, 1000},
      {linea, testo_treno({"abbattimento,  1000,  0", "abbattimento,  1000,  3"}), 7, 1000},
      {linea, testo_treno({stazione(125, 12, 200)}), 8, 125},
      {linea, testo_treno({stazione(1000, 12, 250)}), 9, 1000},
      {testo_linea(20000, cartelli), testo_treno({stazione(1000, 12, 200)}), 10, 0},
      {linea, testo_treno({segnale(4400), segnale(4450), segnale(4500), rallentamento}), 11, 4550},
      {linea, testo_treno({segnale(5650), segnale(5700), segnale(5750), rallentamento}), 12, 6050},
      {linea,
       testo_treno({segnale(6350), segnale(6400), segnale(6450),
                    "rallentamento,    6000,    30,  800, 1,  0,  0"}),
       13, 6450},
      {testo_linea(20000, {"pendenza,  27000,   5"}), testo_treno(), 15, 27000},
      {linea, testo_treno({segnale(4500), segnale(4500)}), 16, 4500},
      {linea, testo_treno({segnale(4800), rallentamento}), 17, 6000},
      {linea, testo_treno({segnale(6000), rallentamento}), 18, 6000},
      {linea, testo_treno({segnale(6300), rallentamento}), 19, 6000},
      {linea, testo_treno({segnale(4750), "rallentamento,    6000,    30,  300, 1,  1,  0"}), 20,
       6000},
      {testo_linea(20000, {"indicatori_vmax,  1150,  70,  75,  75,  0,  ,  ,  ,  0",
                           "indicatori_vmax,  1150,  70,  75,  75,  0,  ,  ,  ,  0"}),
       testo_treno(), 21, 1150},
      {linea, testo_treno({stazione(0, 8, 300), stazione(700, 12, 200)}), 22, 700},
      {linea, testo_treno({stazione(0, 12, 200)}), 24, 0},
      {testo_linea(20000, {"pendenza,  1x,   5"}), testo_treno(), 25, 0},
      {std::nullopt, testo_treno(), 101, 0},
      {crlf({"[curve]", "pendenza,  0,   0", "[fine]"}), testo_treno(), 102, 0},
      {testo_linea(20000, {"curvad,  100,  50"}), testo_treno(), 103, 0},
      {linea, testo_treno({segnale(0)}), 1250, 0},
      {linea, testo_treno({segnale(0, 0, 4)}), 1251, 0},
  };

  std::set<int32_t> sollevati;
  for (const Caso& caso : casi) {
    SCOPED_TRACE(caso.codice);
    const DescrizioneCodice riga = descrivi_codice(caso.codice);
    Prova prova;
    if (caso.linea) prova.linea(*caso.linea);
    prova.treno(caso.treno);
    RisultatoCompilazione risultato;
    ASSERT_TRUE(memorizza_percorso(1, prova.tabelle, prova.disco, prova.nomi, &risultato).ok());
    const Scenario& tabelle = prova.tabelle;

    if (riga.origine == OrigineCodice::kSlotRiservati) {
      EXPECT_EQ(risultato.esito, caso.codice == kErroreSlotTimbri ? EsitoCompilazione::kErrore1250
                                                                  : EsitoCompilazione::kErrore1251);
      EXPECT_EQ(tabelle.codice_errore, 0);
    } else {
      EXPECT_EQ(tabelle.codice_errore, caso.codice);
      EXPECT_EQ(tabelle.posizione_errore, caso.posizione);
    }
    switch (riga.posizione) {
      case FormaPosizione::kNessuna:
        EXPECT_EQ(caso.posizione, 0);
        break;
      case FormaPosizione::kMetri:
        break;
      case FormaPosizione::kCella:
        EXPECT_EQ(caso.posizione % 50, 0);
        break;
    }
    const std::string& file = tabelle.ultima_diagnostica.file;
    if (riga.origine == OrigineCodice::kTestoLinea) {
      EXPECT_EQ(file, prova.nomi.testo_linea());
    } else if (riga.origine == OrigineCodice::kTestoTreno) {
      EXPECT_EQ(file, prova.nomi.testo_treno());
    }
    sollevati.insert(caso.codice);
  }

  std::set<int32_t> tabella;
  for (const DescrizioneCodice& riga : codici_errore()) tabella.insert(riga.codice);
  EXPECT_EQ(sollevati, tabella);
}

}  // namespace
}  // namespace scenario
