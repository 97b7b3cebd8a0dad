// The line and the train must agree with each other and with what the
// compile step will make of them: boards at their structures, the summit where
// the line turns downhill, limits that match the speed boards, and a route grid
// on which every object finds its own free cell. The grid here is a small model
// of the reader, the storers and the finishing pass, built from the rules they
// follow; it does not use them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "content/source_records_test_util.h"

namespace scenario {
namespace {

using namespace fonti_test;

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

// ---- the route grid model ----

struct Cella {
  int tipo = 0;
  int valore_1 = 0;
};

// Point objects go to cell round(p / 50 + 1); every source position is a
// multiple of 50, so the division is exact.
int cella_punto(int p) { return p / 50 + 1; }

struct Griglia {
  std::vector<Cella> celle = std::vector<Cella>(2141);
  std::vector<std::string> errori;
  int segnati = 0;  // code-cut points placed by the finishing pass

  bool libera(int i) const {
    return celle.at(static_cast<size_t>(i)).tipo == 0 ||
           celle.at(static_cast<size_t>(i)).tipo == 11;
  }
  Cella& at(int i) { return celle.at(static_cast<size_t>(i)); }
  void errore(const std::string& cosa, int dove) {
    errori.push_back(cosa + " at " + std::to_string(dove));
  }

  void punto(int p, int tipo, const std::string& cosa) {
    const int i = cella_punto(p);
    if (!libera(i)) errore(cosa + " on an occupied cell", p);
    at(i).tipo = tipo;
  }
  void taglio(int i) {
    at(i).tipo = 12;
    at(i).valore_1 = 180;
    ++segnati;
  }
};

// Lays the content the way the two readers and the storers do, in file order.
Griglia posa() {
  Griglia g;
  for (const Montagna& m : montagne()) {
    const bool marcatori = m.tipo > 10;
    int contati = 0;
    for (int i = m.inizio / 50; i <= m.fine / 50 - 1; ++i) {
      if (marcatori && ++contati % 4 == 0 && g.at(i).tipo == 0) g.at(i).tipo = 11;
    }
  }
  for (const IndicatoreVmax& v : indicatori_vmax()) g.punto(v.posizione, 6, "speed board");
  for (const Cartello& c : cartelli()) g.punto(c.posizione, 14, "lettered board");
  // Stop points are laid without a test: they must not land on a board.
  for (const Stazione& s : stazioni()) {
    if (s.tipo >= 25) continue;
    const int i = s.fine() / 50 - 1;
    if (i <= 1) g.errore("stop point in cell 1 or lower", s.posizione);
    if (!g.libera(i)) g.errore("stop point on an occupied cell", s.posizione);
    g.at(i).tipo = 10;
  }
  for (const Rallentamento& r : rallentamenti()) {
    const int w = cella_punto(r.x - 1200), s = cella_punto(r.x), e = cella_punto(r.x + r.l);
    if (r.x > 1500 && !g.libera(w)) g.errore("slowdown warning board on an occupied cell", r.x);
    if (!g.libera(s)) g.errore("slowdown start on an occupied cell", r.x);
    if (!g.libera(e)) g.errore("slowdown end on an occupied cell", r.x);
    g.at(e) = {2, r.v};
    g.at(s) = {3, r.v};
    if (r.x > 1500) g.at(w) = {4, r.v};
  }
  for (const Segnale& s : segnali()) g.punto(s.posizione, 1, "signal");
  return g;
}

// The finishing pass: code-cut points before signals behind a warning board,
// trios before every slowdown start, interval points inside slow slowdowns and
// one before the first signal after a slow slowdown's end.
void rifinisci(Griglia& g) {
  const int ultima = static_cast<int>(g.celle.size()) - 1;
  for (int i = 1; i <= ultima - 2; ++i) {
    if (g.at(i).tipo == 4) {
      for (int k = 1; k <= 20 && i - k >= 3; ++k) {
        const int d = i - k;
        if (g.at(d).tipo != 1) continue;
        if (g.libera(d - 1)) {
          g.taglio(d - 1);
        } else if (g.libera(d - 2)) {
          g.taglio(d - 2);
        } else if (g.at(d - 1).tipo != 12 && g.at(d - 2).tipo != 12) {
          g.errore("error 11: no room before a signal behind a warning board", d * 50);
        }
      }
    } else if (g.at(i).tipo == 3) {
      for (int primo : {5, 11, 18}) {
        if (i <= primo + 2) continue;
        bool posto = false;
        for (int k = primo; k <= primo + 2 && !posto; ++k) {
          if (g.libera(i - k)) {
            g.taglio(i - k);
            posto = true;
          }
        }
        if (!posto) g.errore("error 12: no room in a trio before a slowdown", i * 50);
      }
      if (g.at(i).valore_1 >= 110) continue;
      int n = 0, w = i;
      do {
        ++w;
        ++n;
        if (n == 8) {
          if (g.libera(w)) {
            g.taglio(w);
            n = 0;
          } else if (g.libera(w - 1)) {
            g.taglio(w - 1);
            n = 1;
          } else if (g.libera(w + 1)) {
            g.taglio(w + 1);
            n = -1;
          } else {
            g.errore("error 13: no room for an interval point", w * 50);
          }
        }
      } while (g.at(w).tipo != 2 && w < ultima);
      for (int c = w; c <= std::min(w + 12, ultima); ++c) {
        if (g.at(c).tipo != 1) continue;
        if (g.libera(c - 1)) {
          g.taglio(c - 1);
        } else if (g.libera(c - 2)) {
          g.taglio(c - 2);
        } else {
          g.errore("error 13: no room before the signal after a slowdown", w * 50);
        }
        break;
      }
    }
  }
}

TEST(ScenarioCoherence, EveryObjectFindsItsOwnCellAndTheFinishingPassFindsRoom) {
  Griglia g = posa();
  rifinisci(g);
  for (const std::string& e : g.errori) ADD_FAILURE() << e;
  // Cell 1 is kept free for the compile step's stamp.
  EXPECT_EQ(g.at(1).tipo, 0);
  // Three trios before each of the five slowdowns, the interval points of the
  // 800 m slowdown at 30 km/h, and the points before signals after slow ones.
  EXPECT_GE(g.segnati, 15);
}

TEST(ScenarioCoherence, TheLongSlowdownAtRoccavivaGetsItsCodeCutPoints) {
  Griglia g = posa();
  rifinisci(g);
  // Slowdown 3 (23350 m, 800 m at 30 km/h) starts in cell 468 and ends in 484.
  EXPECT_EQ(g.at(468).tipo, 3);
  EXPECT_EQ(g.at(484).tipo, 2);
  for (int i : {463, 457, 450, 476, 483}) EXPECT_EQ(g.at(i).tipo, 12) << i;
}

}  // namespace
}  // namespace scenario
