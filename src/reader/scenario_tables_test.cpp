#include "reader/scenario_tables.h"

#include <gtest/gtest.h>

namespace scenario {
namespace {

TEST(Dimensiona, SizesTheGridAndThePlanView7000MetresBeyondTheRoute) {
  struct Case {
    int32_t lunghezza;
    int32_t ultima_cella;
    int32_t lunghezza_tracciato;
  } cases[] = {
      {100000, 2140, 107000}, {0, 140, 7000}, {1000000, 20140, 1007000},
      {1025, 160, 8025},  // 160.5 cells: the half goes to the even neighbour
      {1075, 162, 8075},  // 161.5 cells
  };
  for (const Case& c : cases) {
    Scenario tabelle;
    tabelle.scrivi_linea = 1;
    tabelle.dimensiona(c.lunghezza);
    EXPECT_EQ(tabelle.ultima_cella, c.ultima_cella) << c.lunghezza;
    EXPECT_EQ(tabelle.percorso.size(), static_cast<size_t>(c.ultima_cella) + 1);
    EXPECT_EQ(tabelle.lunghezza_tracciato, c.lunghezza_tracciato);
    EXPECT_EQ(tabelle.tracciato.ultimo_indice(), c.lunghezza_tracciato);
  }
}

TEST(Dimensiona, WithoutLineOutputThereIsNoPlanView) {
  Scenario tabelle;
  tabelle.dimensiona(100000);
  EXPECT_FALSE(tabelle.tracciato.esiste());
  EXPECT_EQ(tabelle.tracciato.ultimo_indice(), -1);
  EXPECT_EQ(tabelle.percorso.size(), 2141u);
}

TEST(Tracciato, TagsFollowHowFarThePointsAreComputed) {
  Tracciato tracciato;
  tracciato.crea(10);
  EXPECT_EQ(tracciato.etichetta(0), EtichettaPunto::kVuoto);  // origin not set yet
  tracciato.imposta_origine();
  for (int m = 2; m <= 8; ++m) tracciato.aggiungi_punto(0.0, m);
  EXPECT_EQ(tracciato.etichetta(0), EtichettaPunto::kIntero16);
  EXPECT_EQ(tracciato.etichetta(1), EtichettaPunto::kIntero16);
  EXPECT_EQ(tracciato.etichetta(2), EtichettaPunto::kReale64);
  EXPECT_EQ(tracciato.etichetta(8), EtichettaPunto::kReale64);
  EXPECT_EQ(tracciato.etichetta(9), EtichettaPunto::kVuoto);
  EXPECT_EQ(tracciato.etichetta(10), EtichettaPunto::kVuoto);
  EXPECT_EQ(tracciato.y(1), 1.0);
}

TEST(Scenario, StartsEmptyWithEveryTableZero) {
  Scenario tabelle;
  EXPECT_FALSE(tabelle.percorso_dimensionato());
  EXPECT_EQ(tabelle.registro[0].nome, "");
  EXPECT_EQ(tabelle.montagna_inizio[0], 0);
  EXPECT_EQ(sizeof(tabelle.registro) / sizeof(tabelle.registro[0]), 87u);
}

}  // namespace
}  // namespace scenario
