#include "route_summary.h"

#include <gtest/gtest.h>

#include "reader/plan_view.h"

namespace scenario {
namespace {

// What the plot draws, read from the tables: objects at their records'
// positions, tunnels merged over neighbouring cells of one kind, a slowdown
// from its start to its end, stations up to the first board entry.
TEST(RiassumiPercorso, ReadsTheObjectsAlongTheRouteFromTheTables) {
  Scenario t;
  t.dimensiona(10000);
  t.registro[kVoceTrenoPercorso].fine = 10000;
  t.registro[1] = {8, -300, 300, 0, 0, "PRATO D'ALPE", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  t.registro[2] = {12, 9700, 10300, 10000, 0, "VAL\xB0", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  t.registro[3].nome = "(CULMINE)";  // a board entry stops the stations
  t.registro[4] = {12, 0, 0, 5000, 0, "BEYOND THE BOARD", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  auto cella = [&](int32_t posizione) -> CellaPercorso& {
    return t.percorso[static_cast<size_t>(posizione / 50 + 1)];
  };
  cella(4500).tipo = TipoCella::kSegnale;
  cella(4650).tipo = TipoCella::kCartelloIndicatore;
  cella(4650).valore_1 = 3;
  cella(6000).tipo = TipoCella::kInizioRallentamento;
  cella(6000).valore_1 = 30;
  cella(6300).tipo = TipoCella::kFineRallentamento;
  for (int32_t c = 94; c <= 97; ++c) t.percorso[static_cast<size_t>(c)].montagna = 1;
  t.percorso[98].montagna = 3;
  t.percorso[10].pendenza = 118;
  t.percorso[10].velocita_max = 15;

  const RiassuntoPercorso r = riassumi_percorso(t);
  EXPECT_EQ(r.lunghezza, 10000);
  ASSERT_EQ(r.stazioni.size(), 2u);
  EXPECT_EQ(r.stazioni[1].posizione, 10000);
  EXPECT_EQ(r.stazioni[1].nome, "VAL\u00b0");
  ASSERT_EQ(r.segnali.size(), 1u);
  EXPECT_EQ(r.segnali[0].posizione, 4500);
  ASSERT_EQ(r.cartelli.size(), 1u);
  EXPECT_EQ(r.cartelli[0].posizione, 4650);
  EXPECT_EQ(r.cartelli[0].scritta, "(CULMINE)");
  ASSERT_EQ(r.rallentamenti.size(), 1u);
  EXPECT_EQ(r.rallentamenti[0].da, 6000);
  EXPECT_EQ(r.rallentamenti[0].a, 6300);
  EXPECT_EQ(r.rallentamenti[0].valore, 30);
  ASSERT_EQ(r.gallerie.size(), 2u);
  EXPECT_EQ(r.gallerie[0].da, 4700);
  EXPECT_EQ(r.gallerie[0].a, 4900);
  EXPECT_EQ(r.gallerie[1].valore, 3);
  ASSERT_EQ(r.pendenza.size(), t.percorso.size());
  EXPECT_EQ(r.pendenza[10], 18);
  EXPECT_EQ(r.velocita[10], 75);
}

// A signal's kinds and a speed board's speeds are read back from the values
// the storers packed into their cells.
TEST(RiassumiPercorso, ReadsSignalKindsAndSpeedBoardsBackFromTheirCells) {
  Scenario t;
  t.dimensiona(10000);
  t.registro[kVoceTrenoPercorso].fine = 10000;
  const struct {
    int32_t posizione;
    int16_t valore_4;  // rapp * 10 + sx * 3 + dx
    int32_t tipo;
  } segnali[] = {{1000, 3, 1}, {2000, 6, 2}, {3000, 13, 1}, {4000, 8, 2}};
  for (const auto& s : segnali) {
    CellaPercorso& cella = t.percorso[static_cast<size_t>(s.posizione / 50 + 1)];
    cella.tipo = TipoCella::kSegnale;
    cella.valore_4 = s.valore_4;
  }
  // "indicatori_vmax,  1150,  70,  75,  75,  0,  ,  ,  ,  0" and one with its
  // "d" speeds set: 90 / 5 + 100 * 20.
  CellaPercorso& tabella = t.percorso[24];
  tabella = {TipoCella::kIndicatoreVMax, 1400, 1500, 1500, 0};
  CellaPercorso& doppia = t.percorso[101];
  doppia = {TipoCella::kIndicatoreVMax, 2018, 2018, 2400, 0};

  const RiassuntoPercorso r = riassumi_percorso(t);
  ASSERT_EQ(r.segnali.size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(r.segnali[i].posizione, segnali[i].posizione);
    EXPECT_EQ(r.segnali[i].tipo, segnali[i].tipo) << segnali[i].valore_4;
    EXPECT_EQ(r.segnali[i].valore, segnali[i].valore_4);
  }
  ASSERT_EQ(r.indicatori.size(), 2u);
  EXPECT_EQ(r.indicatori[0].posizione, 1150);
  EXPECT_EQ(r.indicatori[0].velocita, (std::array<int32_t, 3>{70, 75, 75}));
  EXPECT_EQ(r.indicatori[1].posizione, 5000);
  EXPECT_EQ(r.indicatori[1].velocita, (std::array<int32_t, 3>{100, 100, 120}));
  EXPECT_TRUE(r.curve.empty()) << "no plan view, no curves";
}

// The curves are found again in the plan view the reader laid, each with
// the metres it turns over, its class and its side, also where two meet.
TEST(CurveDelTracciato, FindsEachCurveWhereTheReaderLaidIt) {
  const struct {
    int32_t da, lunghezza, classe;
    bool destra;
  } posate[] = {
      {1000, 300, 6, true}, {1300, 200, 1, false},  {3000, 100, 6, true},
      {3100, 50, 5, true},  {5000, 1150, 4, false}, {7950, 50, 3, true},
  };
  Tracciato tr;
  tr.crea(10000);
  tr.imposta_origine();
  for (const auto& c : posate) {
    rettilineo_fino_a(tr, c.da);
    curvo_fino_a(tr, (c.destra ? 1 : -1) * kSvoltaClasse[c.classe], c.da + c.lunghezza);
  }
  rettilineo_fino_a(tr, 9998);

  const std::vector<CurvaRiassunta> trovate = curve_del_tracciato(tr, 9998);
  ASSERT_EQ(trovate.size(), std::size(posate));
  for (size_t i = 0; i < trovate.size(); ++i) {
    EXPECT_EQ(trovate[i].da, posate[i].da) << i;
    EXPECT_EQ(trovate[i].a, posate[i].da + posate[i].lunghezza) << i;
    EXPECT_EQ(trovate[i].classe, posate[i].classe) << i;
    EXPECT_EQ(trovate[i].destra, posate[i].destra) << i;
  }
  EXPECT_EQ(curve_del_tracciato(tr, 1200).back().a, 1200) << "cut at the last point asked for";
}

}  // namespace
}  // namespace scenario
