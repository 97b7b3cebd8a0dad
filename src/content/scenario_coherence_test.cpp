// The line and the train must agree with each other and with what the
// compile step will make of them: boards at their structures, the summit where
// the line turns downhill, limits that match the speed boards, and a route grid
// on which every object finds its own free cell: the real compile step reads
// both texts back without recording any error.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "base/memory_file_system.h"
#include "compiler/compile_step.h"
#include "content/source_texts.h"
#include "util/source_records_test_util.h"

namespace scenario {
namespace {

using namespace test;

constexpr int kLunghezza = 100000;

// "Mt.140 Km.95+278" gives 140 and 95278; "Km.86+857" gives 0 and 86857.
struct Struttura {
  int metri = 0;
  int chilometrica = 0;
};

Struttura struttura(std::string_view gruppo) {
  Struttura s;
  gruppo = senza_blank(gruppo);
  if (gruppo.starts_with("Mt.")) {
    const size_t blank = gruppo.find(' ');
    s.metri = intero(gruppo.substr(3, blank - 3));
    gruppo.remove_prefix(blank + 1);
  }
  EXPECT_TRUE(gruppo.starts_with("Km.")) << gruppo;
  const size_t piu = gruppo.find('+');
  s.chilometrica = intero(gruppo.substr(3, piu - 3)) * 1000 + intero(gruppo.substr(piu + 1));
  return s;
}

bool e_galleria(const Cartello& c) {
  const std::string_view primo = c.gruppi.front();
  return primo.starts_with("GALLERIA") || primo.starts_with("GALERIA");
}

TEST(ScenarioCoherence, EveryTunnelBoardStands50MetresBeforeItsMountainStretch) {
  const std::vector<Montagna> ms = montagne();
  int gallerie = 0;
  for (const Cartello& c : cartelli()) {
    SCOPED_TRACE(c.scritta);
    const Struttura s = struttura(c.gruppi.back());
    if (c.gruppi.front().starts_with("CULMINE")) continue;
    // The structure's entry, in metres from the origin, lies in the 50 m after
    // the board's own 50 m.
    const int ingresso = kLunghezza - s.chilometrica;
    EXPECT_GE(ingresso, c.posizione + 50);
    EXPECT_LT(ingresso, c.posizione + 100);
    if (!e_galleria(c)) continue;
    ++gallerie;
    const auto m = std::find_if(ms.begin(), ms.end(),
                                [&](const Montagna& x) { return x.inizio == c.posizione + 50; });
    ASSERT_NE(m, ms.end());
    // The stretch covers the tunnel, rounded out to whole cells.
    EXPECT_EQ(m->fine, (ingresso + s.metri + 49) / 50 * 50);
  }
  EXPECT_EQ(gallerie, 20);
}

TEST(ScenarioCoherence, TheSummitBoardStandsWhereTheLineStopsClimbing) {
  const std::vector<Cartello> cs = cartelli();
  const auto culmine = std::find_if(cs.begin(), cs.end(), [](const Cartello& c) {
    return c.gruppi.front().starts_with("CULMINE");
  });
  ASSERT_NE(culmine, cs.end());
  EXPECT_EQ(culmine->posizione, 13100);
  EXPECT_EQ(kLunghezza - struttura(culmine->gruppi.back()).chilometrica, 13143);

  // Rising up to the board, level from it, falling after the level stretch.
  const std::vector<Punto> ps = pendenze();
  int ultima_salita = -1, prima_discesa = -1;
  for (size_t i = 0; i < ps.size(); ++i) {
    if (ps[i].valore > 0 && prima_discesa < 0) ultima_salita = static_cast<int>(i);
    if (ps[i].valore < 0 && prima_discesa < 0) prima_discesa = static_cast<int>(i);
  }
  ASSERT_GE(ultima_salita, 0);
  ASSERT_EQ(prima_discesa, ultima_salita + 2);
  EXPECT_EQ(ps[static_cast<size_t>(ultima_salita) + 1].posizione, culmine->posizione);
  EXPECT_EQ(ps[static_cast<size_t>(ultima_salita) + 1].valore, 0);
  EXPECT_EQ(ps[static_cast<size_t>(prima_discesa)].posizione, 13300);
  for (int i = 0; i <= ultima_salita; ++i) EXPECT_GE(ps[static_cast<size_t>(i)].valore, 0);
}

TEST(ScenarioCoherence, SpeedBoardsShowTheTrainsLimitsForRankB) {
  std::set<int> limiti_treno;
  for (const Punto& p : limiti()) limiti_treno.insert(p.valore);
  EXPECT_EQ(*limiti_treno.rbegin(), 140);
  for (const IndicatoreVmax& v : indicatori_vmax()) {
    EXPECT_EQ(limiti_treno.count(v.vbs), 1u) << v.posizione;
    EXPECT_LE(v.vas, v.vbs) << v.posizione;
    EXPECT_LE(v.vbs, v.vcs) << v.posizione;
  }
}

TEST(ScenarioCoherence, TimetableRunsFromOriginToTerminalWithRoomBetweenStations) {
  const std::vector<Stazione> ss = stazioni();
  ASSERT_FALSE(ss.empty());
  EXPECT_EQ(ss.front().posizione, 0);
  EXPECT_EQ(ss.front().nome, "BELFORTE SELVEN");
  EXPECT_EQ(ss.back().posizione, kLunghezza);
  EXPECT_EQ(ss.back().nome, "MELAR");
  for (size_t i = 1; i < ss.size(); ++i) {
    SCOPED_TRACE(ss[i].nome);
    EXPECT_GE(ss[i].inizio() - 350, ss[i - 1].fine());
    // Times run forward along the timetable.
    if (ss[i].orario() != 0) {
      for (size_t j = i; j-- > 0;) {
        if (ss[j].orario() != 0) {
          EXPECT_GT(ss[i].orario(), ss[j].orario());
          break;
        }
      }
    }
  }
  // The train runs from 17.23 to 19.27; the clock starts one minute before.
  EXPECT_EQ(ss.front().orario(), (17 * 60 + 23) * 60);
  EXPECT_EQ(ss.back().orario(), (19 * 60 + 27) * 60);
}

TEST(ScenarioCoherence, TheFiveSlowdownsLieWhereTheSlowdownOrderPutsThem) {
  const std::vector<Rallentamento> rs = rallentamenti();
  ASSERT_EQ(rs.size(), 5u);
  const int x[] = {10650, 22350, 23350, 42750, 60700};
  const int v[] = {30, 65, 30, 65, 75};
  const int l[] = {300, 50, 800, 350, 350};
  for (size_t i = 0; i < rs.size(); ++i) {
    EXPECT_EQ(rs[i].x, x[i]);
    EXPECT_EQ(rs[i].v, v[i]);
    EXPECT_EQ(rs[i].l, l[i]);
  }
}

// ---- the route grid, as the compile step lays it ----

// Writes both texts and compiles them, as the installer does.
Scenario compila() {
  MemoryFileSystem memory;
  const NomiFile nomi{"cartella", "BELFORTE SELVEN - MELAR", "8312"};
  Scenario tabelle;
  tabelle.nome_linea = nomi.nome_linea;
  tabelle.numero_treno = nomi.numero_treno;
  EXPECT_TRUE(dati_linea(memory, nomi).ok());
  EXPECT_TRUE(dati_treno(memory, nomi).ok());
  RisultatoCompilazione risultato;
  EXPECT_TRUE(memorizza_percorso(1, tabelle, memory, nomi, &risultato).ok());
  EXPECT_EQ(risultato.esito, EsitoCompilazione::kCompletata);
  return tabelle;
}

TEST(ScenarioCoherence, EveryObjectFindsItsOwnCellAndTheFinishingPassFindsRoom) {
  const Scenario tabelle = compila();
  EXPECT_EQ(tabelle.codice_errore, 0)
      << "at " << tabelle.posizione_errore << " m: " << tabelle.ultima_diagnostica.file << ":"
      << tabelle.ultima_diagnostica.riga;
  EXPECT_EQ(tabelle.numero_montagne, 40);
  // 27 stations from entry 1 up, 31 lettered boards from entry 80 down.
  EXPECT_EQ(tabelle.registro[27].nome, "MELAR");
  EXPECT_EQ(tabelle.registro[28].nome, "");
  EXPECT_NE(tabelle.registro[50].nome, "");
  EXPECT_EQ(tabelle.registro[49].nome, "");
}

TEST(ScenarioCoherence, TheLongSlowdownAtRoccavivaGetsItsCodeCutPoints) {
  const Scenario tabelle = compila();
  const auto tipo = [&](int i) { return tabelle.percorso.at(static_cast<size_t>(i)).tipo; };
  // Slowdown 3 (23350 m, 800 m at 30 km/h) starts in cell 468 and ends in 484;
  // the first signal after it, Roccaviva's exit, stands in cell 496.
  EXPECT_EQ(tipo(468), TipoCella::kInizioRallentamento);
  EXPECT_EQ(tipo(484), TipoCella::kFineRallentamento);
  EXPECT_EQ(tipo(496), TipoCella::kSegnale);
  for (int i : {463, 457, 450, 476, 483, 495})
    EXPECT_EQ(tipo(i), TipoCella::kAbbattimentoConValore) << i;
}

}  // namespace
}  // namespace scenario
