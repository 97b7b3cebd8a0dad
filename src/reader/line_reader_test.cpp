#include "reader/line_reader.h"

#include <gtest/gtest.h>

#include "util/reader_test_util.h"

namespace scenario {
namespace {

using namespace test;

TEST(TestoLinea, StoresTheLineWideSettings) {
  Prova prova;
  prova.linea(testo_linea(20000)).treno(testo_treno()).esegui();
  const auto& registro = prova.tabelle.registro;
  EXPECT_EQ(registro[kVoceTrenoPercorso].fine, 20000);
  EXPECT_EQ(registro[kVoceLinea].inizio, 80000);
  EXPECT_EQ(registro[kVoceLinea].progressiva, 65000);
  EXPECT_EQ(registro[kVoceLinea].fine, 1);
  EXPECT_EQ(prova.tabelle.lunghezza_tracciato, 27000);
  EXPECT_EQ(prova.tabelle.ultima_cella, 540);
}

TEST(TestoLinea, CabSignalRepetition) {
  struct Caso {
    std::string riga;
    int32_t codice, inizio, fine, sistema;
  } casi[] = {
      {"ripetizione segnali 4 codici,    0    ,0", 0, 0, 0, 0},
      {"ripetizione segnali 9 codici,    100,    250", 0, 100, 250, 9},
      {"ripetizione segnali 4 codici,    100,    250", 0, 100, 250, 4},
      {"ripetizione segnali 9 codici,    100,    0", 0, 100, 0, 0},  // second value 0: off
      {"ripetizione segnali codici,    0,    0", 5, 0, 0, 0},
      {"ripetizione segnali 4 codici,    120,    0", 3, 120, 0, 0},
      {"ripetizione segnali 4 codici,    100,    120", 4, 100, 120, 0},
  };
  for (const Caso& caso : casi) {
    std::vector<std::string> generale = generale_linea(20000);
    generale[8] = caso.riga;
    Prova prova;
    prova.linea(testo_linea(generale, {})).treno(testo_treno()).esegui();
    const VoceRegistro& treno = prova.tabelle.registro[kVoceTreno];
    EXPECT_EQ(prova.tabelle.codice_errore, caso.codice) << caso.riga;
    EXPECT_EQ(treno.inizio, caso.inizio) << caso.riga;
    EXPECT_EQ(treno.fine, caso.fine) << caso.riga;
    EXPECT_EQ(treno.progressiva, caso.sistema) << caso.riga;
  }
}

TEST(TestoLinea, KeywordLetterCase) {
  // Seven words must be written exactly; the others match in either case.
  struct Caso {
    int riga;  // the line of the general section replaced
    std::string testo;
    bool riconosciuto;
  } casi[] = {
      {2, "LUNGHEZZA Percorso,    20000", true},
      {6, "sfondo uno,    80000", true},
      {6, "SFONDO uno,    80000", false},
      {6, "sfondo UNO,    80000", false},
      {9, "ripetizione segnali 9 codici,    100,    250", true},
      {9, "Ripetizione segnali 9 codici,    100,    250", false},
      {9, "ripetizione SEGNALI 9 codici,    100,    250", false},
  };
  for (const Caso& caso : casi) {
    std::vector<std::string> generale = generale_linea(20000);
    generale[static_cast<size_t>(caso.riga - 1)] = caso.testo;
    Prova prova;
    prova.linea(testo_linea(generale, {})).treno(testo_treno()).esegui();
    EXPECT_EQ(prova.tabelle.codice_errore, 0) << caso.testo;
    const auto& registro = prova.tabelle.registro;
    const int32_t letto = caso.riga == 2   ? registro[kVoceTrenoPercorso].fine
                          : caso.riga == 6 ? registro[kVoceLinea].inizio
                                           : registro[kVoceTreno].progressiva;
    EXPECT_EQ(letto != 0, caso.riconosciuto) << caso.testo;
  }

  // A kilometre reference written with a capital P is passed over: its
  // numbers are then tokens that match nothing, and the entries stay 0.
  std::vector<std::string> generale = generale_linea(20000);
  generale[2] = "Progressiva chilometrica uno,    0,    20000,    1";
  Prova prova;
  prova.linea(testo_linea(generale, {})).treno(testo_treno()).esegui();
  EXPECT_EQ(prova.tabelle.codice_errore, 0);
  for (int voce = kVoceProgressivaTre; voce <= kVoceProgressivaUno; ++voce) {
    EXPECT_EQ(prova.tabelle.registro[voce].fine, 0) << voce;
  }
}

TEST(TestoLinea, RouteLengthLimits) {
  struct Caso {
    int32_t lunghezza;
    int32_t codice;
    int32_t ultima_cella;
  } casi[] = {{1000000, 0, 20140}, {1000001, 1, 0}, {0, 0, 140}, {-1, 1, 0}};
  for (const Caso& caso : casi) {
    Prova prova;
    prova.linea(testo_linea(caso.lunghezza)).treno(testo_treno()).esegui();
    EXPECT_EQ(prova.tabelle.codice_errore, caso.codice) << caso.lunghezza;
    EXPECT_EQ(prova.tabelle.registro[kVoceTrenoPercorso].fine, caso.lunghezza);
    EXPECT_EQ(prova.tabelle.ultima_cella, caso.ultima_cella) << caso.lunghezza;
    EXPECT_EQ(prova.tabelle.percorso_dimensionato(), caso.codice == 0) << caso.lunghezza;
  }
}

// Several route-length records: the last valid one sizes the grid and the
// plan view, and a record refused after it (error 1, 3 or a reading failure)
// leaves them as that one sized them. The tables match those of a text that
// gives only the length that counts, followed by the refused record.
TEST(TestoLinea, RepeatedRouteLengthsLeaveTheTablesOfTheLastValidOne) {
  struct Caso {
    std::vector<std::string> righe;  // in place of line 2
    std::vector<std::string> equivalenti;
    int32_t codice;
    int32_t ultima_cella;
    int scrivi_linea = 1;
  } casi[] = {
      {{"lunghezza percorso, 2000", "lunghezza percorso, 1000"},
       {"lunghezza percorso, 1000"},
       0,
       160},
      {{"lunghezza percorso, 1000000", "lunghezza percorso, 0", "lunghezza percorso, 1000000",
        "lunghezza percorso, 0"},
       {"lunghezza percorso, 0"},
       0,
       140},
      {{"lunghezza percorso, 2000", "lunghezza percorso, 1000001"},
       {"lunghezza percorso, 2000", "lunghezza percorso, 1000001"},
       1,
       180},
      {{"lunghezza percorso, 2000", "lunghezza percorso, 1000", "lunghezza percorso, -5"},
       {"lunghezza percorso, 1000", "lunghezza percorso, -5"},
       1,
       160},
      {{"lunghezza percorso, -5", "lunghezza percorso, 2000"}, {"lunghezza percorso, -5"}, 1, 0},
      {{"lunghezza percorso, 3000", "lunghezza percorso, 2000",
        "ripetizione segnali 4 codici, 120, 0"},
       {"lunghezza percorso, 2000", "ripetizione segnali 4 codici, 120, 0"},
       3,
       180},
      {{"lunghezza percorso, 3000", "lunghezza percorso, 2000", "lunghezza percorso, 2x"},
       {"lunghezza percorso, 2000", "lunghezza percorso, 2x"},
       25,
       180},
      {{"lunghezza percorso, 3000", "lunghezza percorso, 2000"},
       {"lunghezza percorso, 2000"},
       0,
       180,
       0},
  };
  auto testo = [](const std::vector<std::string>& righe) {
    std::vector<std::string> generale = generale_linea(0);
    generale.erase(generale.begin() + 1, generale.begin() + 3);  // the length and kilometre refs
    generale.insert(generale.begin() + 1, righe.begin(), righe.end());
    return testo_linea(generale, {"pendenza, 500, 12", "curvad6, 600, 300"});
  };
  for (const Caso& caso : casi) {
    SCOPED_TRACE(caso.righe.back());
    Prova ripetute(caso.scrivi_linea), attese(caso.scrivi_linea);
    ripetute.linea(testo(caso.righe)).treno(testo_treno()).esegui();
    attese.linea(testo(caso.equivalenti)).treno(testo_treno()).esegui();
    const Scenario& r = ripetute.tabelle;
    const Scenario& a = attese.tabelle;
    EXPECT_EQ(r.codice_errore, caso.codice);
    EXPECT_EQ(r.ultima_cella, caso.ultima_cella);
    EXPECT_EQ(r.codice_errore, a.codice_errore);
    EXPECT_EQ(r.ultima_cella, a.ultima_cella);
    EXPECT_EQ(r.lunghezza_tracciato, a.lunghezza_tracciato);
    EXPECT_EQ(r.registro[kVoceTrenoPercorso].fine, a.registro[kVoceTrenoPercorso].fine);
    ASSERT_EQ(r.percorso.size(), a.percorso.size());
    for (size_t i = 0; i < r.percorso.size(); ++i) {
      ASSERT_EQ(r.percorso[i].pendenza, a.percorso[i].pendenza) << i;
      ASSERT_EQ(r.percorso[i].tipo, a.percorso[i].tipo) << i;
    }
    ASSERT_EQ(r.tracciato.ultimo_indice(), a.tracciato.ultimo_indice());
    EXPECT_EQ(r.tracciato.prossimo_punto(), a.tracciato.prossimo_punto());
    for (int32_t m = 0; m < r.tracciato.prossimo_punto(); ++m) {
      ASSERT_EQ(r.tracciato.x(m), a.tracciato.x(m)) << m;
      ASSERT_EQ(r.tracciato.y(m), a.tracciato.y(m)) << m;
    }
    EXPECT_EQ(r.tracciato.esiste(), caso.scrivi_linea != 0 && caso.ultima_cella > 0);
  }
}

TEST(TestoLinea, TheSectionHeaderAfterTheGeneralSectionAndTheLastTokenAreNeverTested) {
  // Both headers hold a keyword; tested as records, they would read the
  // next tokens as numbers and fail.
  std::vector<std::string> generale = generale_linea(20000);
  generale.back() = "[pendenza]";
  Prova prova;
  prova.linea(testo_linea(generale, {"cartello_indicatore,  1000,   (A)"}) + "[pendenza]\r\n")
      .treno(testo_treno())
      .esegui();
  EXPECT_EQ(prova.tabelle.codice_errore, 0);
  EXPECT_EQ(prova.cella(21).tipo, TipoCella::kCartelloIndicatore);
}

TEST(TestoLinea, DashLinesArePassedOver) {
  Prova prova;
  prova
      .linea(testo_linea(20000, {"------- rampa -------", "pendenza,  0,   12", "-----", "-----",
                                 "pendenza,  100,   -4"}))
      .treno(testo_treno())
      .esegui();
  EXPECT_EQ(prova.tabelle.codice_errore, 0);
  EXPECT_EQ(prova.cella(1).pendenza, 112);
  EXPECT_EQ(prova.cella(2).pendenza, 96);
}

TEST(TestoLinea, GradientsHoldUpToTheNextRecordsCell) {
  Prova prova;
  prova
      .linea(testo_linea(20000,
                         {"pendenza,  0,   0", "pendenza,  2100,   20", "pendenza,  6050,   5"}))
      .treno(testo_treno())
      .esegui();
  ASSERT_EQ(prova.tabelle.codice_errore, 0);
  const int ultima = prova.tabelle.ultima_cella;
  for (int i = 0; i <= ultima; ++i) {
    const int attesa = i <= 41 ? 100 : i <= 120 ? 120 : i <= ultima - 3 ? 105 : 0;
    ASSERT_EQ(prova.cella(i).pendenza, attesa) << i;
  }
}

TEST(TestoLinea, TwoGradientsInOneCellStillAdvanceTheFill) {
  Prova prova;
  prova
      .linea(testo_linea(20000,
                         {"pendenza,  0,   0", "pendenza,  2100,   20", "pendenza,  2110,   -10"}))
      .treno(testo_treno())
      .esegui();
  EXPECT_EQ(prova.cella(41).pendenza, 100);
  EXPECT_EQ(prova.cella(42).pendenza, 120);
  EXPECT_EQ(prova.cella(43).pendenza, 90);
  EXPECT_EQ(prova.cella(537).pendenza, 90);
}

TEST(TestoLinea, GradientsCrowdedAtTheGridsEndStayInsideIt) {
  // Route length 0: cells 0 to 140, the last record position admitted 6900.
  std::vector<std::string> percorso(8, "pendenza,  6900,   7");
  Prova prova;
  prova.linea(testo_linea(0, percorso)).treno(testo_treno()).esegui();
  EXPECT_EQ(prova.tabelle.codice_errore, 0);
  ASSERT_EQ(prova.tabelle.percorso.size(), 141u);
  // The first record fills cells 0 to 137; every further one writes one
  // more cell, up to the grid's last; the rest write nothing.
  EXPECT_EQ(prova.cella(137).pendenza, 100);
  EXPECT_EQ(prova.cella(138).pendenza, 107);
  EXPECT_EQ(prova.cella(140).pendenza, 107);
}

TEST(TestoLinea, CurvesLayThePlanView) {
  Prova prova;
  prova.linea(testo_linea(20000, {"curvad6,  2300,  300", "curvas36,  3000,  100"}))
      .treno(testo_treno())
      .esegui();
  ASSERT_EQ(prova.tabelle.codice_errore, 0);
  const Tracciato& tracciato = prova.tabelle.tracciato;
  EXPECT_EQ(tracciato.etichetta(0), EtichettaPunto::kIntero16);
  EXPECT_EQ(tracciato.etichetta(1), EtichettaPunto::kIntero16);
  for (int m : {2, 1000, 2300}) {
    EXPECT_EQ(tracciato.x(m), 0.0) << m;
    EXPECT_EQ(tracciato.y(m), m) << m;
  }
  EXPECT_DOUBLE_EQ(tracciato.x(2301), 0.003);
  EXPECT_EQ(tracciato.y(2301), 2301.0);
  EXPECT_DOUBLE_EQ(tracciato.x(2302), 0.009);
  EXPECT_DOUBLE_EQ(tracciato.y(2302), 2301.999991);

  // "curvas36" is class 3 (the first digit tried that it holds) bending left:
  // the step's x component falls by 0.0004 times its y component per metre.
  const double dx = tracciato.x(3000) - tracciato.x(2999);
  const double dy = tracciato.y(3000) - tracciato.y(2999);
  EXPECT_NEAR(tracciato.x(3001) - tracciato.x(3000), dx - 0.0004 * dy, 1e-12);

  // Every point to two before the end is computed; the last two stay empty.
  EXPECT_EQ(tracciato.etichetta(26998), EtichettaPunto::kReale64);
  EXPECT_EQ(tracciato.etichetta(26999), EtichettaPunto::kVuoto);
  EXPECT_EQ(tracciato.etichetta(27000), EtichettaPunto::kVuoto);
}

TEST(TestoLinea, WithoutLineOutputCurvesArePassedOver) {
  // Not even a curve without a class is looked at.
  Prova prova(0);
  prova.linea(testo_linea(20000, {"curvad,  2300,  300", "pendenza,  0,   4"}))
      .treno(testo_treno())
      .esegui();
  EXPECT_EQ(prova.tabelle.codice_errore, 0);
  EXPECT_FALSE(prova.tabelle.tracciato.esiste());
  EXPECT_EQ(prova.cella(0).pendenza, 104);
}

TEST(TestoLinea, ACurvePastThePlanViewsEndIsClipped) {
  // Route length 1000: points 0 to 8000; a curve from 7800 for 1000 m.
  Prova prova;
  prova.linea(testo_linea(1000, {"curvas6,  7800,  1000"})).treno(testo_treno()).esegui();
  EXPECT_EQ(prova.tabelle.codice_errore, 0);
  const Tracciato& tracciato = prova.tabelle.tracciato;
  EXPECT_EQ(tracciato.ultimo_indice(), 8000);
  EXPECT_EQ(tracciato.prossimo_punto(), 7999);
  EXPECT_LT(tracciato.x(7998), 0.0);  // turned left
  EXPECT_EQ(tracciato.etichetta(7999), EtichettaPunto::kVuoto);
  EXPECT_EQ(tracciato.etichetta(8000), EtichettaPunto::kVuoto);
}

// Points past the plan view are not computed but still counted: a curve that
// carries the counter past the millionth point ends the procedure with 103.
TEST(TestoLinea, PointsPastThePlanViewCountTowardsTheMillionthPoint) {
  // Route length 12000: points 0 to 19000, the last computed 18998. After a
  // curve from 1000 m the next point is 1000 + its length + 1.
  struct Caso {
    int32_t lunghezza_curva;
    int32_t codice;
  } casi[] = {{998999, 0}, {999000, kErroreCurva}};
  for (const Caso& caso : casi) {
    SCOPED_TRACE(caso.lunghezza_curva);
    Prova prova;
    prova
        .linea(testo_linea(12000, {"curvad6,  1000,  " + std::to_string(caso.lunghezza_curva),
                                   "pendenza,  0,  5"}))
        .treno(testo_treno())
        .esegui();
    EXPECT_EQ(prova.tabelle.codice_errore, caso.codice);
    const Tracciato& tracciato = prova.tabelle.tracciato;
    EXPECT_EQ(tracciato.prossimo_punto(), 18999);
    // 103 ends the procedure: the gradient after the curve is never read and
    // the train text never opened.
    EXPECT_EQ(prova.cella(0).pendenza, caso.codice == 0 ? 105 : 0);
    EXPECT_EQ(prova.treno_presente(), caso.codice != 0);
  }
}

TEST(TestoLinea, LetteredBoards) {
  Prova prova;
  prova
      .linea(
          testo_linea(20000, {"cartello_indicatore,  4650,   (GALERIA ARTIF.  )(Mt.140 Km.95+278)",
                              "cartello_indicatore,  5000,   (CULMINE \xB0 )(Km.86+857)"}))
      .treno(testo_treno())
      .esegui();
  ASSERT_EQ(prova.tabelle.codice_errore, 0);
  EXPECT_EQ(prova.cella(94).tipo, TipoCella::kCartelloIndicatore);
  EXPECT_EQ(prova.cella(94).valore_1, 80);
  EXPECT_EQ(prova.tabelle.registro[80].nome, "(GALERIA ARTIF.  )(Mt.140 Km.95+278)");
  EXPECT_EQ(prova.cella(101).valore_1, 79);
  EXPECT_EQ(prova.tabelle.registro[79].nome, "(CULMINE \xB0 )(Km.86+857)");
  EXPECT_EQ(prova.tabelle.registro[78].nome, "");
}

TEST(TestoLinea, TheRecordTableHoldsEightyBoardsAtMost) {
  // Boards fill entries 80 down to 1; an 81st would need entry 0, which
  // stays cleared: it is refused with code 10 and its position, as a board
  // on a taken cell is refused.
  std::vector<std::string> cartelli;
  for (int n = 1; n <= 81; ++n) {
    cartelli.push_back("cartello_indicatore,  " + std::to_string(n * 100) + ",   (N" +
                       std::to_string(n) + ")");
  }
  Prova prova;
  prova.linea(testo_linea(20000, cartelli)).treno(testo_treno()).esegui();
  EXPECT_EQ(prova.tabelle.codice_errore, 10);
  EXPECT_EQ(prova.tabelle.posizione_errore, 8100);
  EXPECT_EQ(prova.tabelle.registro[1].nome, "(N80)");
  EXPECT_EQ(prova.tabelle.registro[0].nome, "");
  EXPECT_EQ(prova.cella(163).tipo, TipoCella::kBinario);
  EXPECT_FALSE(prova.linea_presente());
  EXPECT_TRUE(prova.treno_presente());

  // With eighty boards there is no entry left for a station.
  cartelli.pop_back();
  Prova piena;
  piena.linea(testo_linea(20000, cartelli)).treno(testo_treno({stazione(9000, 12, 400)})).esegui();
  EXPECT_EQ(piena.tabelle.codice_errore, 10);
  EXPECT_EQ(piena.tabelle.registro[1].nome, "(N80)");
  EXPECT_EQ(piena.tabelle.registro[1].progressiva, 0);
  EXPECT_FALSE(piena.treno_presente());
}

TEST(TestoLinea, ABoardBeforeTheGridsStartLiesOutsideIt) {
  Prova prova;
  prova.linea(testo_linea(20000, {"cartello_indicatore,  -100,   (A)", "pendenza,  0,   9"}))
      .treno(testo_treno())
      .esegui();
  EXPECT_EQ(prova.tabelle.codice_errore, 15);
  EXPECT_EQ(prova.tabelle.posizione_errore, -100);
  EXPECT_EQ(prova.tabelle.registro[80].nome, "");
  EXPECT_EQ(prova.cella(0).pendenza, 100);  // the route section ended before the gradient
  // -50 still lands in cell 0.
  Prova cella_zero;
  cella_zero.linea(testo_linea(20000, {"cartello_indicatore,  -50,   (A)"}))
      .treno(testo_treno())
      .esegui();
  EXPECT_EQ(cella_zero.tabelle.codice_errore, 0);
  EXPECT_EQ(cella_zero.cella(0).tipo, TipoCella::kCartelloIndicatore);
}

TEST(TestoLinea, ThePositionCheckAdmitsTheRouteLengthPlus6900Metres) {
  // Route length 20000: `ultima_cella` 540, positions up to 50 * 538 = 26900.
  Prova prova;
  prova.linea(testo_linea(20000, {"cartello_indicatore,  26900,   (A)"}))
      .treno(testo_treno({"velocita,       0,    75"}))
      .esegui();
  EXPECT_EQ(prova.tabelle.codice_errore, 0);
  EXPECT_EQ(prova.cella(539).tipo, TipoCella::kCartelloIndicatore);

  // 50 m further: code 15, the rest of the line text is not read, the line
  // is finished to the grid's end and the train text is still read.
  Prova oltre;
  oltre
      .linea(testo_linea(20000, {"pendenza,  0,   6", "cartello_indicatore,  26950,   (A)",
                                 "cartello_indicatore,  1000,   (B)"}))
      .treno(testo_treno({"velocita,       0,    75"}))
      .esegui();
  EXPECT_EQ(oltre.tabelle.codice_errore, 15);
  EXPECT_EQ(oltre.tabelle.posizione_errore, 26950);
  EXPECT_EQ(oltre.cella(21).tipo, TipoCella::kBinario);
  EXPECT_EQ(oltre.cella(537).pendenza, 106);
  EXPECT_EQ(oltre.tabelle.tracciato.prossimo_punto(), 26999);
  EXPECT_EQ(oltre.cella(537).velocita_max, 15);
  EXPECT_EQ(oltre.tabelle.registro[kVoceTreno].campo_7, 100);
  EXPECT_FALSE(oltre.linea_presente());
  EXPECT_FALSE(oltre.treno_presente());
}

// What the reader does with the storers' results.
TEST(TestoLinea, WithTheStorers) {
  // A board on a mountain marker (every fourth cell of a stretch of kind 11)
  // is accepted and replaces the marker.
  Prova marca;
  marca
      .linea(testo_linea(20000,
                         {"montagna,   20050,  20400,  11", "cartello_indicatore,  20150,   (A)"}))
      .treno(testo_treno())
      .esegui();
  EXPECT_EQ(marca.tabelle.codice_errore, 0);
  EXPECT_EQ(marca.cella(404).tipo, TipoCella::kCartelloIndicatore);
  EXPECT_EQ(marca.cella(404).montagna, 1);

  // A speed board the storer refuses ends the procedure with the storer's
  // code and the board's position; the train text stays.
  Prova rifiuto;
  rifiuto
      .linea(testo_linea(
          20000, {"cartello_indicatore,  1150,   (A)",
                  "indicatori_vmax,  1150,  70,  75,  75,  0,  ,  ,  ,  0", "pendenza,  0,   5"}))
      .treno(testo_treno())
      .esegui();
  EXPECT_EQ(rifiuto.tabelle.codice_errore, kErroreIndicatoreOccupato);
  EXPECT_EQ(rifiuto.tabelle.posizione_errore, 1150);
  EXPECT_EQ(rifiuto.tabelle.ultima_diagnostica.riga, 12);
  EXPECT_FALSE(rifiuto.linea_presente());
  EXPECT_TRUE(rifiuto.treno_presente());
  EXPECT_EQ(rifiuto.cella(0).pendenza, 0);  // the procedure ended: no final fill
}

}  // namespace
}  // namespace scenario
