#include "compiler/finishing_pass.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace scenario {
namespace {

// One object laid onto the grid by hand, as the readers would.
struct Oggetto {
  int32_t cella;
  TipoCella tipo;
  int16_t valore_1 = 0;
};

constexpr int16_t kLento = 30;
constexpr int16_t kVeloce = 110;

// A grid of cells 0 to 600 (a 23 km route) holding `oggetti`.
Scenario griglia(const std::vector<Oggetto>& oggetti) {
  Scenario tabelle;
  tabelle.dimensiona(23000);
  for (const Oggetto& o : oggetti) {
    tabelle.percorso.at(static_cast<size_t>(o.cella)).tipo = o.tipo;
    tabelle.percorso.at(static_cast<size_t>(o.cella)).valore_1 = o.valore_1;
  }
  return tabelle;
}

std::vector<int32_t> abbattimenti(const Scenario& tabelle) {
  std::vector<int32_t> celle;
  for (size_t i = 0; i < tabelle.percorso.size(); ++i) {
    if (tabelle.percorso[i].tipo == TipoCella::kAbbattimentoConValore)
      celle.push_back(static_cast<int32_t>(i));
  }
  return celle;
}

struct Caso {
  std::string nome;
  std::vector<Oggetto> oggetti;
  std::vector<int32_t> abbattimenti;  // cells of kind 12 afterwards, ascending
  int32_t codice_errore = 0;
  int32_t posizione_errore = 0;
};

void verifica(const std::vector<Caso>& casi) {
  for (const Caso& caso : casi) {
    SCOPED_TRACE(caso.nome);
    Scenario tabelle = griglia(caso.oggetti);
    rifinisci_percorso(tabelle);
    EXPECT_EQ(abbattimenti(tabelle), caso.abbattimenti);
    EXPECT_EQ(tabelle.codice_errore, caso.codice_errore);
    EXPECT_EQ(tabelle.posizione_errore, caso.posizione_errore);
  }
}

TEST(RifinisciPercorso, SlowdownsGetTriosIntervalPointsAndAPointBeforeTheSignalAfterTheEnd) {
  verifica({
      {"30 km/h over 40 cells: every 8th cell, the last one moved back off the end cell",
       {{100, TipoCella::kInizioRallentamento, kLento},
        {140, TipoCella::kFineRallentamento, kLento}},
       {82, 89, 95, 108, 116, 124, 132, 139}},
      {"the slowdown at 23350 m, 800 m long, with a signal at cell 490",
       {{468, TipoCella::kInizioRallentamento, kLento},
        {484, TipoCella::kFineRallentamento, kLento},
        {490, TipoCella::kSegnale}},
       {450, 457, 463, 476, 483, 489}},
      {"109 km/h is slow",
       {{100, TipoCella::kInizioRallentamento, 109}, {120, TipoCella::kFineRallentamento, 109}},
       {82, 89, 95, 108, 116}},
      {"110 km/h: the trios alone, nothing inside and nothing before the signal after the end",
       {{100, TipoCella::kInizioRallentamento, kVeloce},
        {140, TipoCella::kFineRallentamento, kVeloce},
        {145, TipoCella::kSegnale}},
       {82, 89, 95}},
      {"interval cell taken: one cell back, the next 8 cells after that",
       {{100, TipoCella::kInizioRallentamento, kLento},
        {108, TipoCella::kIndicatoreVMax},
        {130, TipoCella::kFineRallentamento}},
       {82, 89, 95, 107, 115, 123}},
      {"interval cell and the one before taken: one cell on, the next 8 cells after that",
       {{100, TipoCella::kInizioRallentamento, kLento},
        {107, TipoCella::kIndicatoreVMax},
        {108, TipoCella::kSegnale},
        {130, TipoCella::kFineRallentamento}},
       {82, 89, 95, 109, 117, 125}},
      {"no room at an interval point: error 13 there and no further point inside",
       {{100, TipoCella::kInizioRallentamento, kLento},
        {107, TipoCella::kIndicatoreVMax},
        {108, TipoCella::kSegnale},
        {109, TipoCella::kIndicatoreVMax},
        {140, TipoCella::kFineRallentamento},
        {145, TipoCella::kSegnale}},
       {82, 89, 95, 144},
       kErroreRallentamento,
       108 * 50},
      {"signal after the end: its cell before taken, the one before that free",
       {{100, TipoCella::kInizioRallentamento, kLento},
        {110, TipoCella::kFineRallentamento},
        {114, TipoCella::kIndicatoreVMax},
        {115, TipoCella::kSegnale}},
       {82, 89, 95, 108, 113}},
      {"signal after the end: no room, error 13 at the end cell",
       {{100, TipoCella::kInizioRallentamento, kLento},
        {110, TipoCella::kFineRallentamento},
        {113, TipoCella::kIndicatoreVMax},
        {114, TipoCella::kIndicatoreVMax},
        {115, TipoCella::kSegnale}},
       {82, 89, 95, 108},
       kErroreRallentamento,
       110 * 50},
      {"a signal 12 cells after the end is found",
       {{100, TipoCella::kInizioRallentamento, kLento},
        {110, TipoCella::kFineRallentamento},
        {122, TipoCella::kSegnale}},
       {82, 89, 95, 108, 121}},
      {"a signal 13 cells after the end is not",
       {{100, TipoCella::kInizioRallentamento, kLento},
        {110, TipoCella::kFineRallentamento},
        {123, TipoCella::kSegnale}},
       {82, 89, 95, 108}},
      {"only the first signal after the end",
       {{100, TipoCella::kInizioRallentamento, kLento},
        {110, TipoCella::kFineRallentamento},
        {115, TipoCella::kSegnale},
        {118, TipoCella::kSegnale}},
       {82, 89, 95, 108, 114}},
      {"a trio with no free cell: error 12 at the start, the next trio still tried",
       {{100, TipoCella::kInizioRallentamento, kVeloce},
        {93, TipoCella::kFermata},
        {94, TipoCella::kFermata},
        {95, TipoCella::kSegnale},
        {103, TipoCella::kFineRallentamento}},
       {82, 89},
       kErroreTerna,
       100 * 50},
      {"a trio examines its cells nearest first",
       {{100, TipoCella::kInizioRallentamento, kVeloce},
        {95, TipoCella::kSegnale},
        {94, TipoCella::kCartelloIndicatore},
        {103, TipoCella::kFineRallentamento}},
       {82, 89, 93}},
  });
}

TEST(RifinisciPercorso, TriosAreTriedOnlyWhenAllTheirCellsLieFromCell1On) {
  const std::vector<std::pair<int32_t, std::vector<int32_t>>> casi = {
      {7, {}}, {8, {3}}, {13, {8}}, {14, {3, 9}}, {20, {9, 15}}, {21, {3, 10, 16}},
  };
  for (const auto& [inizio, attesi] : casi) {
    SCOPED_TRACE(inizio);
    Scenario tabelle = griglia({{inizio, TipoCella::kInizioRallentamento, kVeloce},
                                {inizio + 2, TipoCella::kFineRallentamento, kVeloce}});
    rifinisci_percorso(tabelle);
    EXPECT_EQ(abbattimenti(tabelle), attesi);
    EXPECT_EQ(tabelle.codice_errore, 0);
  }
}

TEST(RifinisciPercorso, SignalsUpTo20CellsBeforeAWarningBoardGetAPointJustBeforeThem) {
  verifica({
      {"the cell before the signal",
       {{100, TipoCella::kAvvisoRallentamento}, {90, TipoCella::kSegnale}},
       {89}},
      {"the cell before taken: two cells before",
       {{100, TipoCella::kAvvisoRallentamento},
        {90, TipoCella::kSegnale},
        {89, TipoCella::kIndicatoreVMax}},
       {88}},
      {"both taken by other objects: error 11 at the signal",
       {{100, TipoCella::kAvvisoRallentamento},
        {90, TipoCella::kSegnale},
        {89, TipoCella::kIndicatoreVMax},
        {88, TipoCella::kFermata}},
       {},
       kErroreSegnalePrimaAvviso,
       90 * 50},
      {"20 cells back is examined",
       {{100, TipoCella::kAvvisoRallentamento}, {80, TipoCella::kSegnale}},
       {79}},
      {"21 cells back is not",
       {{100, TipoCella::kAvvisoRallentamento}, {79, TipoCella::kSegnale}},
       {}},
      {"several signals, each handled",
       {{100, TipoCella::kAvvisoRallentamento},
        {95, TipoCella::kSegnale},
        {90, TipoCella::kSegnale}},
       {89, 94}},
      {"a signal at cell 3 is examined, its point may land on cell 1",
       {{10, TipoCella::kAvvisoRallentamento}, {3, TipoCella::kSegnale}, {2, TipoCella::kFermata}},
       {1}},
      {"a board at cell 3 examines nothing",
       {{3, TipoCella::kAvvisoRallentamento}, {2, TipoCella::kSegnale}},
       {}},
      {"a board at cell 2 examines nothing",
       {{2, TipoCella::kAvvisoRallentamento}, {1, TipoCella::kSegnale}},
       {}},
      {"a board at cell 1 examines nothing", {{1, TipoCella::kAvvisoRallentamento}}, {}},
  });
}

TEST(RifinisciPercorso, ExistingCodeCutPointsBeforeASignalBehindAWarningBoardAreCappedAt180) {
  struct CasoCap {
    std::string nome;
    std::vector<Oggetto> oggetti;
    int16_t valore_89;
    int16_t valore_88;
  };
  const std::vector<CasoCap> casi = {
      {"both code-cut points: the nearer one capped",
       {{89, TipoCella::kAbbattimentoConValore, 250}, {88, TipoCella::kAbbattimentoConValore, 250}},
       180,
       250},
      {"a value below 180 stays",
       {{89, TipoCella::kAbbattimentoConValore, 100}, {88, TipoCella::kAbbattimentoConValore, 250}},
       100,
       250},
      {"the nearer cell taken otherwise: the farther code-cut point capped",
       {{89, TipoCella::kIndicatoreVMax, 0}, {88, TipoCella::kAbbattimentoConValore, 300}},
       0,
       180},
  };
  for (const CasoCap& caso : casi) {
    SCOPED_TRACE(caso.nome);
    std::vector<Oggetto> oggetti = caso.oggetti;
    oggetti.push_back({100, TipoCella::kAvvisoRallentamento});
    oggetti.push_back({90, TipoCella::kSegnale});
    Scenario tabelle = griglia(oggetti);
    rifinisci_percorso(tabelle);
    EXPECT_EQ(tabelle.percorso[89].valore_1, caso.valore_89);
    EXPECT_EQ(tabelle.percorso[88].valore_1, caso.valore_88);
    EXPECT_EQ(tabelle.codice_errore, 0);
  }
}

TEST(RifinisciPercorso, AMountainMarkerIsFreeAndKeepsItsMountainByte) {
  Scenario tabelle = griglia({{100, TipoCella::kAvvisoRallentamento},
                              {90, TipoCella::kSegnale},
                              {89, TipoCella::kMarcaMontagna}});
  tabelle.percorso[89].montagna = 2;
  tabelle.percorso[89].avviso = 13;
  rifinisci_percorso(tabelle);
  EXPECT_EQ(tabelle.percorso[89].tipo, TipoCella::kAbbattimentoConValore);
  EXPECT_EQ(tabelle.percorso[89].valore_1, kValoreAbbattimento);
  EXPECT_EQ(tabelle.percorso[89].montagna, 2);
  EXPECT_EQ(tabelle.percorso[89].avviso, 13);
}

TEST(RifinisciPercorso, ErrorsOverwriteTheReadersCodeOnlyWhenARuleFails) {
  Scenario pulita = griglia({{100, TipoCella::kAvvisoRallentamento}, {90, TipoCella::kSegnale}});
  pulita.codice_errore = 15;
  pulita.posizione_errore = 123;
  rifinisci_percorso(pulita);
  EXPECT_EQ(pulita.codice_errore, 15);
  EXPECT_EQ(pulita.posizione_errore, 123);

  // Two failures: the later one along the grid stays.
  Scenario due = griglia({{50, TipoCella::kAvvisoRallentamento},
                          {40, TipoCella::kSegnale},
                          {39, TipoCella::kFermata},
                          {38, TipoCella::kFermata},
                          {100, TipoCella::kInizioRallentamento, kVeloce},
                          {93, TipoCella::kFermata},
                          {94, TipoCella::kFermata},
                          {95, TipoCella::kFermata},
                          {103, TipoCella::kFineRallentamento}});
  due.codice_errore = 15;
  rifinisci_percorso(due);
  EXPECT_EQ(due.codice_errore, kErroreTerna);
  EXPECT_EQ(due.posizione_errore, 100 * 50);
}

// The walks and searches stop at the grid's last cell (600 here); the
// sanitizer build checks that nothing beyond it is touched.
TEST(RifinisciPercorso, WalksAndSearchesStopAtTheGridsLastCell) {
  verifica({
      {"a slow slowdown with no end: points up to the last cell, error 13 there",
       {{590, TipoCella::kInizioRallentamento, kLento}},
       {572, 579, 585, 598},
       kErroreRallentamento,
       600 * 50},
      {"a fast slowdown with no end: its end is not looked for, no error",
       {{590, TipoCella::kInizioRallentamento, kVeloce}},
       {572, 579, 585}},
      {"an interval point due on the taken last cell goes one back",
       {{592, TipoCella::kInizioRallentamento, kLento}, {600, TipoCella::kFermata}},
       {574, 581, 587, 599},
       kErroreRallentamento,
       600 * 50},
      {"an interval point due on the last cell never goes beyond it",
       {{592, TipoCella::kInizioRallentamento, kLento},
        {599, TipoCella::kFermata},
        {600, TipoCella::kFermata}},
       {574, 581, 587},
       kErroreRallentamento,
       600 * 50},
      {"the signal search after an end near the last cell finds a signal on it",
       {{590, TipoCella::kInizioRallentamento, kLento},
        {595, TipoCella::kFineRallentamento},
        {600, TipoCella::kSegnale}},
       {572, 579, 585, 599}},
      {"the signal search after an end near the last cell finds nothing: no error",
       {{590, TipoCella::kInizioRallentamento, kLento}, {595, TipoCella::kFineRallentamento}},
       {572, 579, 585}},
      {"a slowdown start on the second-last cell is past the walk",
       {{599, TipoCella::kInizioRallentamento, kLento}},
       {}},
      {"a warning board on the third-last cell is handled",
       {{598, TipoCella::kAvvisoRallentamento}, {590, TipoCella::kSegnale}},
       {589}},
  });
}

// The rules for a grid that holds only slowdown starts and ends, plain track
// and mountain markers, applied literally: the trios, then a walk one cell at
// a time that counts to 8 between interval points. The pass walks faster; it
// must place the same points and record the same last error.
void rifinisci_cella_per_cella(Scenario& tabelle) {
  std::vector<CellaPercorso>& g = tabelle.percorso;
  const int32_t ultima = static_cast<int32_t>(g.size()) - 1;
  auto libera = [&](int32_t i) { return i >= 0 && i <= ultima && cella_libera(g[size_t(i)]); };
  auto metti = [&](int32_t i) {
    g[size_t(i)].tipo = TipoCella::kAbbattimentoConValore;
    g[size_t(i)].valore_1 = kValoreAbbattimento;
  };
  auto errore = [&](int32_t codice, int32_t cella) {
    tabelle.codice_errore = codice;
    tabelle.posizione_errore = cella * 50;
  };
  for (int32_t i = 1; i <= ultima - 2; ++i) {
    if (g[size_t(i)].tipo != TipoCella::kInizioRallentamento) continue;
    for (const auto& [vicina, lontana] : {std::pair{5, 7}, std::pair{11, 13}, std::pair{18, 20}}) {
      if (i <= lontana) continue;
      bool messo = false;
      for (int32_t d = vicina; d <= lontana && !messo; ++d) {
        if (libera(i - d)) {
          metti(i - d);
          messo = true;
        }
      }
      if (!messo) errore(kErroreTerna, i);
    }
    // A fast slowdown gets its trios alone.
    if (g[size_t(i)].valore_1 >= kVelocitaRallentamentoLento) continue;
    int32_t n = 0, w = i;
    bool finita = false;
    while (w < ultima && !finita) {
      ++w;
      ++n;
      if (n == 8) {
        if (libera(w)) {
          metti(w);
          n = 0;
        } else if (libera(w - 1)) {
          metti(w - 1);
          n = 1;
        } else if (libera(w + 1)) {
          metti(w + 1);
          n = -1;
        } else {
          errore(kErroreRallentamento, w);
        }
      }
      finita = g[size_t(w)].tipo == TipoCella::kFineRallentamento;
    }
    if (!finita) errore(kErroreRallentamento, ultima);
  }
}

TEST(RifinisciPercorso, TheWalkPlacesWhatACellByCellWalkPlaces) {
  std::mt19937 caso(8312);
  for (int giro = 0; giro < 2000; ++giro) {
    Scenario tabelle;
    tabelle.dimensiona(std::uniform_int_distribution<int32_t>(0, 3000)(caso));
    const auto celle = static_cast<int32_t>(tabelle.percorso.size());
    const int oggetti = std::uniform_int_distribution<int>(0, celle / 2)(caso);
    for (int k = 0; k < oggetti; ++k) {
      CellaPercorso& c =
          tabelle.percorso[size_t(std::uniform_int_distribution<int32_t>(0, celle - 1)(caso))];
      const int scelta = std::uniform_int_distribution<int>(0, 9)(caso);
      c.tipo = scelta < 4   ? TipoCella::kInizioRallentamento
               : scelta < 6 ? TipoCella::kFineRallentamento
               : scelta < 8 ? TipoCella::kMarcaMontagna
                            : TipoCella::kFermata;
      c.valore_1 = scelta % 2 == 0 ? kLento : kVeloce;
    }
    Scenario attese = tabelle;
    rifinisci_cella_per_cella(attese);
    rifinisci_percorso(tabelle);
    ASSERT_EQ(abbattimenti(tabelle), abbattimenti(attese)) << "round " << giro;
    ASSERT_EQ(tabelle.codice_errore, attese.codice_errore) << "round " << giro;
    ASSERT_EQ(tabelle.posizione_errore, attese.posizione_errore) << "round " << giro;
  }
}

TEST(RifinisciPercorso, AnEmptyGridIsLeftAlone) {
  Scenario tabelle;
  rifinisci_percorso(tabelle);
  EXPECT_TRUE(tabelle.percorso.empty());
  EXPECT_EQ(tabelle.codice_errore, 0);
}

TEST(Minimo, ReturnsTheSmallerAndXOnATie) {
  EXPECT_EQ(minimo(180, int16_t{250}), 180);
  EXPECT_EQ(minimo(180, int16_t{100}), 100);
  EXPECT_EQ(minimo(180, int16_t{-5}), -5);
  EXPECT_EQ(minimo(180, int16_t{180}), 180);
}

}  // namespace
}  // namespace scenario
