#include "reader/storers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <ostream>
#include <random>
#include <tuple>
#include <vector>

#include "reader/error_codes.h"

namespace scenario {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

// The fields the storers write, as plain numbers so that failures print readably.
struct Campi {
  int tipo = 0;
  int valore_1 = 0;
  int valore_2 = 0;
  int valore_3 = 0;
  int valore_4 = 0;
  int tempo_segnale = 0;
  int avviso = 0;
  int montagna = 0;
  bool operator==(const Campi&) const = default;
};

void PrintTo(const Campi& c, std::ostream* os) {
  *os << "{tipo " << c.tipo << ", valori " << c.valore_1 << " " << c.valore_2 << " " << c.valore_3
      << " " << c.valore_4 << ", tempo " << c.tempo_segnale << ", avviso " << c.avviso
      << ", montagna " << c.montagna << "}";
}

Campi campi(const CellaPercorso& c) {
  return {static_cast<int>(c.tipo), c.valore_1, c.valore_2, c.valore_3, c.valore_4,
          c.tempo_segnale,          c.avviso,   c.montagna};
}

auto tutti_i_campi(const CellaPercorso& c) {
  return std::tuple(c.tipo, c.valore_1, c.valore_2, c.valore_3, c.valore_4, c.tempo_segnale,
                    c.avviso, c.montagna, c.velocita_max, c.pendenza, c.aderenza);
}

// The cells that differ between two states of the grid, with their new contents.
std::map<int, Campi> modifiche(const Scenario& prima, const Scenario& dopo) {
  std::map<int, Campi> cambiate;
  for (size_t i = 0; i < dopo.percorso.size(); ++i) {
    if (tutti_i_campi(prima.percorso[i]) != tutti_i_campi(dopo.percorso[i])) {
      cambiate[static_cast<int>(i)] = campi(dopo.percorso[i]);
    }
  }
  return cambiate;
}

// A grid of cells 0 to 600 (route of 23000 m); `griglia(0)` gives cells 0 to 140.
Scenario griglia(int32_t lunghezza = 23000) {
  Scenario tabelle;
  tabelle.dimensiona(lunghezza);
  return tabelle;
}

void occupa(Scenario& tabelle, int indice, TipoCella tipo) {
  tabelle.percorso[static_cast<size_t>(indice)].tipo = tipo;
}

// Every kind of cell but plain track and the mountain marker.
const TipoCella kTipiOccupati[] = {TipoCella::kSegnale,
                                   TipoCella::kFineRallentamento,
                                   TipoCella::kInizioRallentamento,
                                   TipoCella::kAvvisoRallentamento,
                                   TipoCella::kPreavvisoRallentamento,
                                   TipoCella::kIndicatoreVMax,
                                   TipoCella::kFermata,
                                   TipoCella::kAbbattimentoConValore,
                                   TipoCella::kAbbattimentoSenzaValore,
                                   TipoCella::kCartelloIndicatore};

// --- memo_segnale ---------------------------------------------------------

TEST(MemoSegnale, PacksTheFiguresAndMarksTheApproachEveryHundredMetres) {
  Scenario tabelle = griglia();
  const Scenario prima = tabelle;
  EXPECT_EQ(memo_segnale(tabelle, {28150, 2, 3, 4, 0, 0, 0, 0, 0, 0, 230}), std::nullopt);
  EXPECT_EQ(modifiche(prima, tabelle), (std::map<int, Campi>{
                                           {564, {1, 30, 40, 0, 6, 230, 0, 0}},
                                           {562, {.avviso = 61}},
                                           {560, {.avviso = 62}},
                                           {558, {.avviso = 63}},
                                           {556, {.avviso = 64}},
                                       }));
}

TEST(MemoSegnale, PackingKeepsTheLowBitsOfEachField) {
  struct Case {
    DatiSegnale dati;
    Campi segnale;
    int avviso_100m;
  } cases[] = {
      // rapp·10 + sx·3 + dx, s·10 + d for each of the three pairs.
      {{1000, 1, 2, 3, 4, 5, 2, 6, 7, 8, 0}, {1, 26, 37, 48, 55, 0, 0, 0}, 51},
      {{1000, 0, 4000, 0, 0, 0, 0, 9, 0, 0, 0}, {1, -25527, 0, 0, 0, 0, 0, 0}, 1},
      {{1000, kMax, 0, 0, 0, kMax, kMax, 0, 0, 0, 0}, {1, 0, 0, 0, -14, 0, 0, 0}, 217},
      {{1000, 0, kMin, 0, 0, 0, 0, 0, 0, 0, 0}, {1, 0, 0, 0, 0, 0, 0, 0}, 1},
  };
  for (const Case& c : cases) {
    Scenario tabelle = griglia();
    EXPECT_EQ(memo_segnale(tabelle, c.dati), std::nullopt);
    EXPECT_EQ(campi(tabelle.percorso[21]), c.segnale) << c.dati.s1;
    EXPECT_EQ(tabelle.percorso[19].avviso, c.avviso_100m) << c.dati.s1;
  }
}

TEST(MemoSegnale, SignalTimeIsRaisedTo101AndKeptOnlyWithSx2) {
  struct Case {
    int32_t tempo;
    int32_t sx;
    int tempo_segnale;
  } cases[] = {
      {50, 2, 101},  {50, 1, 0},  {1, 2, 101}, {100, 2, 101}, {101, 2, 101}, {0, 2, 0},
      {230, 2, 230}, {230, 0, 0}, {230, 3, 0}, {300, 2, 44},  {-5, 2, 251},  // below 1: not raised,
                                                                             // stored in 8 bits
  };
  for (const Case& c : cases) {
    Scenario tabelle = griglia();
    EXPECT_EQ(memo_segnale(tabelle, {1000, c.sx, 0, 0, 0, 0, 0, 0, 0, 0, c.tempo}), std::nullopt);
    EXPECT_EQ(tabelle.percorso[21].tempo_segnale, c.tempo_segnale)
        << "tempo " << c.tempo << " sx " << c.sx;
  }
}

TEST(MemoSegnale, AHalfCellGoesToTheEvenNeighbour) {
  struct Case {
    int32_t posizione;
    int cella;
  } cases[] = {{4475, 90}, {4525, 92}, {4500, 91}};
  for (const Case& c : cases) {
    Scenario tabelle = griglia();
    EXPECT_EQ(memo_segnale(tabelle, {c.posizione, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), std::nullopt);
    EXPECT_EQ(tabelle.percorso[static_cast<size_t>(c.cella)].tipo, TipoCella::kSegnale)
        << c.posizione;
  }
}

TEST(MemoSegnale, ATakenCellRefusesTheSignalAndWritesNothing) {
  for (TipoCella tipo : kTipiOccupati) {
    Scenario tabelle = griglia();
    occupa(tabelle, 564, tipo);
    const Scenario prima = tabelle;
    EXPECT_EQ(memo_segnale(tabelle, {28150, 2, 3, 4, 0, 0, 0, 0, 0, 0, 230}),
              kErroreSegnaleOccupato)
        << static_cast<int>(tipo);
    EXPECT_TRUE(modifiche(prima, tabelle).empty()) << static_cast<int>(tipo);
  }
}

// A storer answers with its refusal; the code recorded so far (here one the
// line text left) is the reader's to replace, not the storer's.
TEST(Storers, ARefusalIsAnsweredAndLeavesTheRecordedCodeAlone) {
  Scenario tabelle = griglia();
  occupa(tabelle, 564, TipoCella::kFermata);
  occupa(tabelle, 24, TipoCella::kFermata);
  tabelle.codice_errore = kErroreFuoriGriglia;
  EXPECT_EQ(memo_segnale(tabelle, {28150, 2, 3, 4, 0, 0, 0, 0, 0, 0, 230}), kErroreSegnaleOccupato);
  EXPECT_EQ(memo_rallentamento(tabelle, {28150, 30, 300, 1, 0, 0}),
            kErroreInizioRallentamentoOccupato);
  EXPECT_EQ(memo_indicatori_v_max(tabelle, {1150, 70, 75, 75, 0, 0, 0, 0, 0}),
            kErroreIndicatoreOccupato);
  EXPECT_EQ(memo_segnale(tabelle, {5000, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}), std::nullopt);
  EXPECT_EQ(tabelle.codice_errore, kErroreFuoriGriglia);
}

TEST(MemoSegnale, AMountainMarkerIsReplaced) {
  Scenario tabelle = griglia();
  occupa(tabelle, 564, TipoCella::kMarcaMontagna);
  tabelle.percorso[564].montagna = 1;
  EXPECT_EQ(memo_segnale(tabelle, {28150, 2, 3, 4, 0, 0, 0, 0, 0, 0, 230}), std::nullopt);
  EXPECT_EQ(campi(tabelle.percorso[564]), (Campi{1, 30, 40, 0, 6, 230, 0, 1}));
}

TEST(MemoSegnale, TwoSignalsAHundredMetresApartShareApproachCellsLastOneWins) {
  const DatiSegnale primo{5000, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};    // cell 101, figures 31..34
  const DatiSegnale secondo{5100, 2, 0, 0, 0, 0, 1, 0, 0, 0, 0};  // cell 103, figures 71..74
  struct Case {
    const char* ordine;
    DatiSegnale a, b;
    std::map<int, Campi> attese;
  } cases[] = {
      {"along the line",
       primo,
       secondo,
       {{103, {.tipo = 1, .valore_4 = 7}},
        {101, {.tipo = 1, .valore_4 = 3, .avviso = 71}},
        {99, {.avviso = 72}},
        {97, {.avviso = 73}},
        {95, {.avviso = 74}},
        {93, {.avviso = 34}}}},
      {"against the line",
       secondo,
       primo,
       {{103, {.tipo = 1, .valore_4 = 7}},
        {101, {.tipo = 1, .valore_4 = 3, .avviso = 71}},
        {99, {.avviso = 31}},
        {97, {.avviso = 32}},
        {95, {.avviso = 33}},
        {93, {.avviso = 34}}}},
  };
  for (const Case& c : cases) {
    Scenario tabelle = griglia();
    const Scenario prima = tabelle;
    EXPECT_EQ(memo_segnale(tabelle, c.a), std::nullopt) << c.ordine;
    EXPECT_EQ(memo_segnale(tabelle, c.b), std::nullopt) << c.ordine;
    EXPECT_EQ(modifiche(prima, tabelle), c.attese) << c.ordine;
  }
}

TEST(MemoSegnale, ApproachMarksLeaveTheRestOfTheirCellsAlone) {
  Scenario tabelle = griglia();
  tabelle.percorso[562] = {
      .tipo = TipoCella::kIndicatoreVMax, .valore_1 = 1400, .avviso = 9, .montagna = 2};
  EXPECT_EQ(memo_segnale(tabelle, {28150, 2, 3, 4, 0, 0, 0, 0, 0, 0, 230}), std::nullopt);
  EXPECT_EQ(campi(tabelle.percorso[562]), (Campi{6, 1400, 0, 0, 0, 0, 61, 2}));
}

// --- memo_rallentamento ---------------------------------------------------

TEST(MemoRallentamento, LaysWarningBoardStartAndEnd) {
  Scenario tabelle = griglia();
  const Scenario prima = tabelle;
  EXPECT_EQ(memo_rallentamento(tabelle, {10650, 30, 300, 1, 0, 0}), std::nullopt);
  EXPECT_EQ(modifiche(prima, tabelle), (std::map<int, Campi>{
                                           {190, {.tipo = 4, .valore_1 = 30}},
                                           {214, {.tipo = 3, .valore_1 = 30, .valore_3 = 1}},
                                           {220, {.tipo = 2, .valore_1 = 30, .valore_3 = 1}},
                                       }));
}

TEST(MemoRallentamento, WarningBoardAndPreWarningCellsOnlyAfterTheFirst1500Metres) {
  struct Case {
    DatiRallentamento dati;
    std::map<int, Campi> attese;
  } cases[] = {
      {{1500, 40, 500, 0, 1, 0},
       {{31, {.tipo = 3, .valore_1 = 40}}, {41, {.tipo = 2, .valore_1 = 40}}}},
      {{1550, 40, 500, 0, 1, 0},
       {{4, {.tipo = 5, .valore_1 = 4}},
        {5, {.tipo = 5, .valore_1 = 3}},
        {6, {.tipo = 5, .valore_1 = 2}},
        {7, {.tipo = 5, .valore_1 = 1}},
        {8, {.tipo = 4, .valore_1 = 40}},
        {32, {.tipo = 3, .valore_1 = 40}},
        {42, {.tipo = 2, .valore_1 = 40}}}},
      // With a speed step every cell carries it, the pre-warning cells their own number.
      {{1550, 40, 500, 2, 1, 9},
       {{4, {.tipo = 5, .valore_1 = 4, .valore_2 = 4}},
        {5, {.tipo = 5, .valore_1 = 3, .valore_2 = 3}},
        {6, {.tipo = 5, .valore_1 = 2, .valore_2 = 2}},
        {7, {.tipo = 5, .valore_1 = 1, .valore_2 = 1}},
        {8, {.tipo = 4, .valore_1 = 40, .valore_2 = 9}},
        {32, {.tipo = 3, .valore_1 = 40, .valore_2 = 9, .valore_3 = 2}},
        {42, {.tipo = 2, .valore_1 = 40, .valore_2 = 9, .valore_3 = 2}}}},
      // A slowdown of length 0 lays its end, then its start, on the same cell.
      {{1500, 40, 0, 2, 0, 0}, {{31, {.tipo = 3, .valore_1 = 40, .valore_3 = 2}}}},
  };
  for (const Case& c : cases) {
    Scenario tabelle = griglia();
    const Scenario prima = tabelle;
    EXPECT_EQ(memo_rallentamento(tabelle, c.dati), std::nullopt) << c.dati.x;
    EXPECT_EQ(modifiche(prima, tabelle), c.attese) << c.dati.x;
  }
}

TEST(MemoRallentamento, NoSpeedStepLeavesTheSecondValueAsItWas) {
  Scenario tabelle = griglia();
  for (CellaPercorso& c : tabelle.percorso) c.valore_2 = 77;
  EXPECT_EQ(memo_rallentamento(tabelle, {1550, 40, 500, 2, 1, 0}), std::nullopt);
  for (int indice : {4, 5, 6, 7, 8, 32, 42}) {
    EXPECT_EQ(tabelle.percorso[static_cast<size_t>(indice)].valore_2, 77) << indice;
  }
  EXPECT_EQ(tabelle.percorso[8].tipo, TipoCella::kAvvisoRallentamento);
}

TEST(MemoRallentamento, EveryPlacementIsCheckedBeforeAnythingIsWritten) {
  struct Case {
    std::vector<int> occupate;
    int32_t codice;
  } cases[] = {
      {{190}, kErroreAvvisoOccupato},
      {{214}, kErroreInizioRallentamentoOccupato},
      {{220}, kErroreFineRallentamentoOccupato},
      {{190, 214, 220}, kErroreAvvisoOccupato},
      {{214, 220}, kErroreInizioRallentamentoOccupato},
  };
  for (const Case& c : cases) {
    for (TipoCella tipo : kTipiOccupati) {
      Scenario tabelle = griglia();
      for (int indice : c.occupate) occupa(tabelle, indice, tipo);
      const Scenario prima = tabelle;
      EXPECT_EQ(memo_rallentamento(tabelle, {10650, 30, 300, 1, 1, 5}).value_or(0), c.codice)
          << c.occupate[0] << " tipo " << static_cast<int>(tipo);
      EXPECT_TRUE(modifiche(prima, tabelle).empty())
          << c.occupate[0] << " tipo " << static_cast<int>(tipo);
    }
  }
}

TEST(MemoRallentamento, ATakenPreWarningCellRefusesAfterBoardStartAndEndAreWritten) {
  for (int occupata : {186, 187, 188, 189}) {
    Scenario tabelle = griglia();
    occupa(tabelle, occupata, TipoCella::kFermata);
    const Scenario prima = tabelle;
    EXPECT_EQ(memo_rallentamento(tabelle, {10650, 30, 300, 1, 1, 0}), kErrorePreavvisoOccupato)
        << occupata;
    EXPECT_EQ(modifiche(prima, tabelle), (std::map<int, Campi>{
                                             {190, {.tipo = 4, .valore_1 = 30}},
                                             {214, {.tipo = 3, .valore_1 = 30, .valore_3 = 1}},
                                             {220, {.tipo = 2, .valore_1 = 30, .valore_3 = 1}},
                                         }))
        << occupata;
  }
}

TEST(MemoRallentamento, MountainMarkersCountAsFree) {
  Scenario tabelle = griglia();
  for (int indice : {186, 187, 188, 189, 190, 214, 220})
    occupa(tabelle, indice, TipoCella::kMarcaMontagna);
  EXPECT_EQ(memo_rallentamento(tabelle, {10650, 30, 300, 1, 1, 0}), std::nullopt);
  EXPECT_EQ(tabelle.percorso[186].tipo, TipoCella::kPreavvisoRallentamento);
  EXPECT_EQ(tabelle.percorso[190].tipo, TipoCella::kAvvisoRallentamento);
}

// --- memo_indicatori_v_max -------------------------------------------------

TEST(MemoIndicatoriVMax, PacksBothSidesOfTheBoard) {
  Scenario tabelle = griglia();
  const Scenario prima = tabelle;
  EXPECT_EQ(memo_indicatori_v_max(tabelle, {1150, 70, 75, 75, 0, 0, 0, 0, 0}), std::nullopt);
  EXPECT_EQ(modifiche(prima, tabelle),
            (std::map<int, Campi>{{24, {6, 1400, 1500, 1500, 0, 0, 0, 0}}}));
}

TEST(MemoIndicatoriVMax, DividesExactlyThenRounds) {
  struct Case {
    int32_t vd;
    int32_t vs;
    int valore;
  } cases[] = {
      {7, 1, 21},            // 21.4
      {8, 1, 22},            // 21.6, not 21 as a whole-number division would give
      {9, 1, 22},            // 21.8
      {-3, 0, -1},           // -0.6
      {0, 2000, -25536},     // 40000 kept in 16 bits
      {kMax, kMax, -26235},  // no overflow on the way
  };
  for (const Case& c : cases) {
    Scenario tabelle = griglia();
    EXPECT_EQ(memo_indicatori_v_max(tabelle, {1150, c.vs, c.vs, c.vs, 2, c.vd, c.vd, c.vd, 3}),
              std::nullopt);
    const Campi attese{6, c.valore, c.valore, c.valore, 23, 0, 0, 0};
    EXPECT_EQ(campi(tabelle.percorso[24]), attese) << c.vd << " " << c.vs;
  }
}

TEST(MemoIndicatoriVMax, ATakenCellRefusesTheBoardAndAMarkerDoesNot) {
  for (TipoCella tipo : kTipiOccupati) {
    Scenario tabelle = griglia();
    occupa(tabelle, 24, tipo);
    const Scenario prima = tabelle;
    EXPECT_EQ(memo_indicatori_v_max(tabelle, {1150, 70, 75, 75, 0, 0, 0, 0, 0}),
              kErroreIndicatoreOccupato)
        << static_cast<int>(tipo);
    EXPECT_TRUE(modifiche(prima, tabelle).empty()) << static_cast<int>(tipo);
  }
  Scenario tabelle = griglia();
  occupa(tabelle, 24, TipoCella::kMarcaMontagna);
  EXPECT_EQ(memo_indicatori_v_max(tabelle, {1150, 70, 75, 75, 0, 0, 0, 0, 0}), std::nullopt);
  EXPECT_EQ(tabelle.percorso[24].tipo, TipoCella::kIndicatoreVMax);
}

// --- memo_montagna ---------------------------------------------------------

TEST(MemoMontagna, LaysTheStretchAndMarksEveryFourthCell) {
  Scenario tabelle = griglia();
  const Scenario prima = tabelle;
  memo_montagna(tabelle, {20050, 20400, 11});
  std::map<int, Campi> attese;
  for (int i = 401; i <= 407; ++i) attese[i] = {.montagna = 1};
  attese[404].tipo = static_cast<int>(TipoCella::kMarcaMontagna);
  EXPECT_EQ(modifiche(prima, tabelle), attese);
  EXPECT_EQ(tabelle.numero_montagne, 1);
  EXPECT_EQ(tabelle.montagna_inizio[1], 20050);
  EXPECT_EQ(tabelle.montagna_fine[1], 20400);
  EXPECT_EQ(tabelle.codice_errore, 0);
}

TEST(MemoMontagna, MarkersGoOnlyOnPlainTrack) {
  for (TipoCella tipo : kTipiOccupati) {
    Scenario tabelle = griglia();
    occupa(tabelle, 404, tipo);
    memo_montagna(tabelle, {20050, 20400, 11});
    EXPECT_EQ(tabelle.percorso[404].tipo, tipo);
    EXPECT_EQ(tabelle.percorso[404].montagna, 1);
  }
}

TEST(MemoMontagna, CellsAndMarkersOfAStretch) {
  struct Case {
    DatiMontagna dati;
    int prima, ultima;  // cells laid
    int montagna;
    std::vector<int> marche;
  } cases[] = {
      {{1000, 1150, 12}, 20, 22, 2, {}},  // shorter than four cells: no marker
      {{1000, 1200, 12}, 20, 23, 2, {23}},
      {{1000, 1800, 11}, 20, 35, 1, {23, 27, 31, 35}},
      {{1000, 1800, 2}, 20, 35, 2, {}},
      {{1075, 1275, 10}, 22, 24, 10, {}},   // halves to the even neighbour
      {{1000, 1050, 300}, 20, 20, 34, {}},  // type 290 kept in 8 bits
  };
  for (const Case& c : cases) {
    Scenario tabelle = griglia();
    const Scenario prima = tabelle;
    memo_montagna(tabelle, c.dati);
    std::map<int, Campi> attese;
    for (int i = c.prima; i <= c.ultima; ++i) attese[i] = {.montagna = c.montagna};
    for (int i : c.marche) attese[i].tipo = static_cast<int>(TipoCella::kMarcaMontagna);
    EXPECT_EQ(modifiche(prima, tabelle), attese) << c.dati.inizio << "-" << c.dati.fine;
  }
}

TEST(MemoMontagna, AnEmptyStretchIsCountedButLaysNothing) {
  Scenario tabelle = griglia();
  const Scenario prima = tabelle;
  memo_montagna(tabelle, {1000, 1000, 11});
  EXPECT_TRUE(modifiche(prima, tabelle).empty());
  EXPECT_EQ(tabelle.numero_montagne, 1);
  EXPECT_EQ(tabelle.montagna_fine[1], 1000);
}

TEST(MemoMontagna, AStretchCloseBehindThePreviousOneBecomesType3) {
  struct Case {
    int32_t inizio;
    int32_t tipo;
    int montagna;
    bool marca;
  } cases[] = {
      {2150, 1, 3, false},  // 150 m after the end of the stretch before
      {2151, 1, 1, false}, {2200, 1, 1, false}, {2000, 2, 3, false},  // no gap
      {1500, 2, 3, false},                                            // overlapping
      {2150, 12, 3, true},                                            // still marked
      {2200, 12, 2, true},
  };
  for (const Case& c : cases) {
    Scenario tabelle = griglia();
    memo_montagna(tabelle, {1000, 2000, 2});
    memo_montagna(tabelle, {c.inizio, 2800, c.tipo});
    const auto prima_cella = static_cast<size_t>(c.inizio / 50);
    EXPECT_EQ(tabelle.percorso[prima_cella].montagna, c.montagna) << c.inizio;
    EXPECT_EQ(tabelle.percorso[prima_cella + 3].tipo == TipoCella::kMarcaMontagna, c.marca)
        << c.inizio;
    EXPECT_EQ(tabelle.numero_montagne, 2);
  }
}

TEST(MemoMontagna, OnlyTheStretchJustBeforeCounts) {
  Scenario tabelle = griglia();
  memo_montagna(tabelle, {1000, 2000, 2});
  memo_montagna(tabelle, {100, 500, 2});
  memo_montagna(tabelle, {2100, 2400, 1});  // close behind the first, far behind the second
  EXPECT_EQ(tabelle.percorso[42].montagna, 1);
  EXPECT_EQ(tabelle.numero_montagne, 3);
  EXPECT_EQ(tabelle.montagna_inizio[3], 2100);
  EXPECT_EQ(tabelle.montagna_inizio[0], 0);
  EXPECT_EQ(tabelle.montagna_fine[0], 0);
}

// A line text of many stretches, with lettered boards and speed boards
// (kinds 14 and 6, on free cells only) between them: the stretches stored
// together and laid at the end leave the grid and the table exactly as
// memo_montagna record by record does.
TEST(MontagneDelTesto, LeaveWhatMemoMontagnaRecordByRecordLeaves) {
  std::mt19937 caso(8312);
  auto tra = [&caso](int64_t da, int64_t a) {
    return static_cast<int32_t>(std::uniform_int_distribution<int64_t>(da, a)(caso));
  };
  for (int giro = 0; giro < 300; ++giro) {
    Scenario uno_per_uno = griglia(tra(0, 6000));
    Scenario insieme = uno_per_uno;
    MontagneDelTesto montagne(insieme);
    const auto celle = static_cast<int32_t>(uno_per_uno.percorso.size());
    for (int record = tra(0, 150); record > 0; --record) {
      if (tra(0, 3) == 0) {
        // A board on a free cell, the same in both.
        const auto i = static_cast<size_t>(tra(0, celle - 1));
        const TipoCella tipo =
            tra(0, 1) == 0 ? TipoCella::kCartelloIndicatore : TipoCella::kIndicatoreVMax;
        if (cella_libera(uno_per_uno.percorso[i])) uno_per_uno.percorso[i].tipo = tipo;
        if (cella_libera(insieme.percorso[i])) insieme.percorso[i].tipo = tipo;
        continue;
      }
      const int32_t inizio = tra(-1000, celle * 50 + 1000);
      const DatiMontagna dati{inizio, inizio + tra(-200, 3 * celle * 50 / 2), tra(-5, 300)};
      memo_montagna(uno_per_uno, dati);
      montagne.memorizza(dati);
    }
    montagne.stendi();
    EXPECT_TRUE(modifiche(uno_per_uno, insieme).empty()) << "round " << giro;
    EXPECT_EQ(insieme.numero_montagne, uno_per_uno.numero_montagne);
    EXPECT_EQ(insieme.montagna_inizio, uno_per_uno.montagna_inizio);
    EXPECT_EQ(insieme.montagna_fine, uno_per_uno.montagna_fine);
  }
}

// --- progressive_ordina ---------------------------------------------------

struct Terna {
  int32_t inizio = 0, fine = 0, progressiva = 0;
  bool operator==(const Terna&) const = default;
};

void PrintTo(const Terna& t, std::ostream* os) {
  *os << "(" << t.inizio << ", " << t.fine << ", " << t.progressiva << ")";
}

TEST(ProgressiveOrdina, OrdersTheThreeChainageEntries) {
  const Terna a{300, 1000, 5}, b{200, 2000, 6}, c{100, 3000, 7};
  const Terna zero{};
  struct Case {
    const char* nome;
    Terna tre, due, uno;     // entries 81, 82, 83 before
    Terna tre_, due_, uno_;  // after
  } cases[] = {
      {"this scenario", zero, zero, {0, 100000, 1}, {0, 100100, 1}, zero, zero},
      {"all zero", zero, zero, zero, zero, zero, zero},
      {"largest shared", {5000, 1, 2}, {5000, 3, 4}, {0, 5, 6}, zero, zero, zero},
      {"largest shared by 82 and 83", {0, 1, 2}, {5000, 3, 4}, {5000, 5, 6}, zero, zero, zero},
      {"all three equal", {50, 1, 2}, {50, 3, 4}, {50, 5, 6}, zero, zero, zero},
      // 81 largest: 82 stays second only when strictly larger than 83.
      {"81 largest, in order", a, b, c, a, b, c},
      {"81 largest, 82 below 83", a, c, b, a, b, c},
      {"81 largest, 82 equal to 83", a, {100, 1, 2}, {100, 3, 4}, a, {100, 3, 4}, {100, 1, 2}},
      // 82 largest: 81 goes second only when strictly larger than 83.
      {"82 largest, 81 above 83", b, a, c, a, b, c},
      {"82 largest, 81 below 83", c, a, b, a, b, c},
      {"82 largest, 81 equal to 83", {100, 1, 2}, a, {100, 3, 4}, a, {100, 3, 4}, {100, 1, 2}},
      // 83 largest: 81 goes second only when strictly larger than 82.
      {"83 largest, 81 above 82", b, c, a, a, b, c},
      {"83 largest, 81 below 82", c, b, a, a, b, c},
      {"83 largest, 81 equal to 82", {100, 1, 2}, {100, 3, 4}, a, a, {100, 3, 4}, {100, 1, 2}},
      {"negative starts",
       {-100, 1, 2},
       {-50, 3, 4},
       {-200, 5, 6},
       {-50, 3, 4},
       {-100, 1, 2},
       {-200, 5, 6}},
      // Starts adding up to zero: the ends decide.
      {"83 has an end", {0, 1, 2}, {0, 3, 4}, {0, 5, 6}, {0, 5, 6}, {0, 3, 4}, {0, 1, 2}},
      {"82 has an end", {0, 1, 2}, {0, 3, 4}, {0, 0, 6}, {0, 3, 4}, {0, 1, 2}, {0, 0, 6}},
      {"only 81 has an end", {0, 1, 2}, {0, -3, 4}, {0, 0, 6}, {0, 1, 2}, {0, -3, 4}, {0, 0, 6}},
      {"no end", {0, 0, 2}, {0, -3, 4}, {0, 0, 6}, zero, zero, zero},
      {"starts cancel out", {5, 0, 2}, {-5, 3, 4}, {0, 0, 6}, {-5, 3, 4}, {5, 0, 2}, {0, 0, 6}},
      {"starts cancel out, no end", {5, 0, 2}, {-5, 0, 4}, {0, -1, 6}, zero, zero, zero},
      // A chainage counted from 1 gets 100 m on its end, wherever it lands.
      {"counted from 1",
       {100, 1000, 1},
       {300, 2000, 1},
       {200, 3000, 2},
       {300, 2100, 1},
       {200, 3000, 2},
       {100, 1100, 1}},
      {"end kept in 32 bits", {0, kMax, 1}, zero, zero, {0, kMin + 99, 1}, zero, zero},
  };
  for (const Case& k : cases) {
    Scenario tabelle;
    const auto metti = [&](int voce, const Terna& t) {
      tabelle.registro[static_cast<size_t>(voce)].inizio = t.inizio;
      tabelle.registro[static_cast<size_t>(voce)].fine = t.fine;
      tabelle.registro[static_cast<size_t>(voce)].progressiva = t.progressiva;
    };
    const auto leggi = [&](int voce) {
      const VoceRegistro& v = tabelle.registro[static_cast<size_t>(voce)];
      return Terna{v.inizio, v.fine, v.progressiva};
    };
    metti(kVoceProgressivaTre, k.tre);
    metti(kVoceProgressivaDue, k.due);
    metti(kVoceProgressivaUno, k.uno);
    progressive_ordina(tabelle);
    EXPECT_EQ(leggi(kVoceProgressivaTre), k.tre_) << k.nome;
    EXPECT_EQ(leggi(kVoceProgressivaDue), k.due_) << k.nome;
    EXPECT_EQ(leggi(kVoceProgressivaUno), k.uno_) << k.nome;
    EXPECT_EQ(leggi(80), Terna{}) << k.nome;
    EXPECT_EQ(leggi(84), Terna{}) << k.nome;
    EXPECT_EQ(tabelle.codice_errore, 0) << k.nome;
  }
}

// --- the edges of the grid and of the mountain table ----------------------

TEST(StorersAtTheGridEdges, SignalsOutsideTheGridAreRefusedApproachMarksClipped) {
  struct Case {
    int32_t posizione;
    int32_t codice;
    std::map<int, Campi> attese;
  } cases[] = {
      {-400, kErroreSegnaleOccupato, {}},
      {-100, kErroreSegnaleOccupato, {}},
      {-50, 0, {{0, {.tipo = 1, .valore_4 = 3}}}},
      {50, 0, {{2, {.tipo = 1, .valore_4 = 3}}, {0, {.avviso = 31}}}},
      {150, 0, {{4, {.tipo = 1, .valore_4 = 3}}, {2, {.avviso = 31}}, {0, {.avviso = 32}}}},
      {6950,
       0,
       {{140, {.tipo = 1, .valore_4 = 3}},
        {138, {.avviso = 31}},
        {136, {.avviso = 32}},
        {134, {.avviso = 33}},
        {132, {.avviso = 34}}}},
      {7000, kErroreSegnaleOccupato, {}},
      {kMin, kErroreSegnaleOccupato, {}},
      {kMax, kErroreSegnaleOccupato, {}},
  };
  for (const Case& c : cases) {
    Scenario tabelle = griglia(0);
    const Scenario prima = tabelle;
    EXPECT_EQ(memo_segnale(tabelle, {c.posizione, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}).value_or(0),
              c.codice)
        << c.posizione;
    EXPECT_EQ(modifiche(prima, tabelle), c.attese) << c.posizione;
  }
}

TEST(StorersAtTheGridEdges, SlowdownsAndBoardsOutsideTheGridAreRefusedWholly) {
  struct Case {
    DatiRallentamento dati;
    int32_t codice;
  } cases[] = {
      {{-100, 30, 300, 1, 1, 5}, kErroreInizioRallentamentoOccupato},
      {{kMin, 30, 300, 1, 1, 5}, kErroreInizioRallentamentoOccupato},
      {{6800, 30, 300, 1, 1, 5}, kErroreFineRallentamentoOccupato},  // end in cell 143
      {{6900, 30, kMax, 1, 1, 5}, kErroreFineRallentamentoOccupato},
      {{1000, 30, -2000, 1, 1, 5}, kErroreFineRallentamentoOccupato},
      {{6900, 30, kMin, 1, 1, 5}, kErroreFineRallentamentoOccupato},
      {{kMax, 30, kMax, 1, 1, 5}, kErroreAvvisoOccupato},
  };
  for (const Case& c : cases) {
    Scenario tabelle = griglia(0);
    const Scenario prima = tabelle;
    EXPECT_EQ(memo_rallentamento(tabelle, c.dati).value_or(0), c.codice)
        << c.dati.x << " + " << c.dati.l;
    EXPECT_TRUE(modifiche(prima, tabelle).empty()) << c.dati.x << " + " << c.dati.l;
  }
  // The last cell of the grid still takes a slowdown's end.
  Scenario tabelle = griglia(0);
  EXPECT_EQ(memo_rallentamento(tabelle, {6800, 30, 150, 1, 1, 5}), std::nullopt);
  EXPECT_EQ(tabelle.percorso[140].tipo, TipoCella::kFineRallentamento);

  for (int32_t posizione : {-100, 7000, kMin, kMax}) {
    Scenario griglia_piccola = griglia(0);
    const Scenario prima = griglia_piccola;
    EXPECT_EQ(memo_indicatori_v_max(griglia_piccola, {posizione, 70, 75, 75, 0, 0, 0, 0, 0}),
              kErroreIndicatoreOccupato)
        << posizione;
    EXPECT_TRUE(modifiche(prima, griglia_piccola).empty()) << posizione;
  }
}

TEST(StorersAtTheGridEdges, MountainStretchesAreClippedAndKeepTheirMarkerRhythm) {
  struct Case {
    DatiMontagna dati;
    int prima, ultima;  // cells laid
    int montagna;
    std::vector<int> marche;
  } cases[] = {
      // Counted from cell -10: the 4th, 8th, 12th and 16th cells are -7, -3, 1 and 5.
      {{-500, 300, 12}, 0, 5, 2, {1, 5}}, {{6800, 9000, 11}, 136, 140, 1, {139}},
      {{-2000, -1000, 11}, 0, -1, 1, {}}, {{8000, 9000, 11}, 0, -1, 1, {}},
      {{kMin, kMax, 1}, 0, 140, 1, {}},
  };
  for (const Case& c : cases) {
    Scenario tabelle = griglia(0);
    const Scenario prima = tabelle;
    memo_montagna(tabelle, c.dati);
    std::map<int, Campi> attese;
    for (int i = c.prima; i <= c.ultima; ++i) attese[i] = {.montagna = c.montagna};
    for (int i : c.marche) attese[i].tipo = static_cast<int>(TipoCella::kMarcaMontagna);
    EXPECT_EQ(modifiche(prima, tabelle), attese) << c.dati.inizio << "-" << c.dati.fine;
    EXPECT_EQ(tabelle.numero_montagne, 1);
    EXPECT_EQ(tabelle.codice_errore, 0);
  }
}

TEST(StorersAtTheGridEdges, StretchesBeyondTheEightiethAreLaidButNotCounted) {
  Scenario tabelle = griglia(0);
  // Eighty stretches far before the grid, 1000 m apart.
  for (int32_t k = 1; k <= 80; ++k)
    memo_montagna(tabelle, {-200000 + 1000 * k, -199900 + 1000 * k, 1});
  ASSERT_EQ(tabelle.numero_montagne, 80);
  EXPECT_EQ(tabelle.montagna_inizio[80], -120000);

  const Scenario prima = tabelle;
  memo_montagna(tabelle, {1000, 1100, 2});
  memo_montagna(tabelle, {1250, 1500, 1});  // 150 m after the 81st
  EXPECT_EQ(tabelle.numero_montagne, 80);
  EXPECT_EQ(tabelle.montagna_inizio[80], 1250);
  EXPECT_EQ(tabelle.montagna_fine[80], 1500);
  EXPECT_EQ(tabelle.montagna_inizio[79], -121000);
  EXPECT_EQ(tabelle.montagna_inizio[0], 0);
  EXPECT_EQ(tabelle.montagna_fine[0], 0);
  EXPECT_EQ(modifiche(prima, tabelle), (std::map<int, Campi>{
                                           {20, {.montagna = 2}},
                                           {21, {.montagna = 2}},
                                           {25, {.montagna = 3}},
                                           {26, {.montagna = 3}},
                                           {27, {.montagna = 3}},
                                           {28, {.montagna = 3}},
                                           {29, {.montagna = 3}},
                                       }));
}

TEST(StorersAtTheGridEdges, WithoutAGridTheStorersDoNothing) {
  Scenario tabelle;
  memo_montagna(tabelle, {0, 1000, 11});
  EXPECT_EQ(memo_segnale(tabelle, {0, 2, 3, 4, 0, 0, 0, 0, 0, 0, 230}), std::nullopt);
  EXPECT_EQ(memo_rallentamento(tabelle, {2000, 30, 300, 1, 1, 5}), std::nullopt);
  EXPECT_EQ(memo_indicatori_v_max(tabelle, {0, 70, 75, 75, 0, 0, 0, 0, 0}), std::nullopt);
  EXPECT_EQ(tabelle.codice_errore, 0);
  EXPECT_EQ(tabelle.numero_montagne, 0);
  EXPECT_EQ(tabelle.montagna_fine[1], 0);
  EXPECT_TRUE(tabelle.percorso.empty());
}

}  // namespace
}  // namespace scenario
