#include "route_summary.h"

#include <gtest/gtest.h>

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
  EXPECT_EQ(r.segnali, std::vector<int32_t>{4500});
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

}  // namespace
}  // namespace scenario
