// Facts about the line source text of BELFORTE SELVEN - MELAR: its sections,
// the exact form of every record kind, the counts and ranges the reader and
// the simulator rely on.
#include "content/line_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "base/windows_1252.h"
#include "util/source_records_test_util.h"

namespace scenario {
namespace {

using namespace test;

// Characters, not bytes: the degree sign is one character of the file.
size_t caratteri(std::string_view riga) { return utf8_a_windows_1252(riga).size(); }

bool combacia(std::string_view riga, const std::regex& forma) {
  return std::regex_match(riga.begin(), riga.end(), forma);
}

TEST(LineSource, HasItsSevenSectionsInOrderAnd454LinesBeforeTheMarker) {
  const ListaRighe lista = righe_linea();
  EXPECT_EQ(lista.size(), 455u);
  EXPECT_EQ(righe_prima_del_marcatore(lista), 454u);
  EXPECT_EQ(lista[0], "[generale]");
  EXPECT_EQ(lista[453], "[fine]");
  EXPECT_EQ(lista[454], kFineLista);

  std::vector<std::pair<std::string, size_t>> trovate;
  for (const Sezione& s : sezioni(lista)) trovate.emplace_back(s.intestazione, s.righe.size());
  const std::vector<std::pair<std::string, size_t>> attese = {
      {"[generale]", 8},  {"[curve]", 183},      {"[pendenze]", 175}, {"[montagne]", 40},
      {"[cartelli]", 10}, {"[indicazioni]", 31}, {"[fine]", 0}};
  EXPECT_EQ(trovate, attese);
}

TEST(LineSource, GeneralSectionIsWrittenExactly) {
  const std::vector<std::string_view> attese = {
      "lunghezza percorso,    100000",
      "progressiva chilometrica uno,    0,    100000,    1",
      "progressiva chilometrica due,    0,    0,    0",
      "progressiva chilometrica tre,    0,    0,    0",
      "sfondo uno,    80000",
      "sfondo due,    65000",
      "sfondo tre,    1",
      "ripetizione segnali 4 codici,    0    ,0",
  };
  EXPECT_EQ(righe_di(righe_linea(), "[generale]"), attese);
}

TEST(LineSource, EveryLineIsPlainTextTheReaderTakesAsItIs) {
  const ListaRighe lista = righe_linea();
  size_t piu_lunga = 0;
  size_t con_gradi = 0;
  for (size_t i = 0; i < righe_prima_del_marcatore(lista); ++i) {
    const std::string_view riga = lista[i];
    SCOPED_TRACE(riga);
    piu_lunga = std::max(piu_lunga, caratteri(riga));
    EXPECT_FALSE(riga.empty());
    EXPECT_EQ(riga.find('\t'), std::string_view::npos);
    EXPECT_EQ(riga.find('"'), std::string_view::npos);
    EXPECT_NE(riga.front(), ' ');
    EXPECT_NE(riga.back(), ' ');
    // The reader passes over a first field holding a hyphen, and over a record
    // whose keyword a section header also contains.
    EXPECT_EQ(campi(riga)[0].find('-'), std::string_view::npos);
    if (riga.starts_with("[")) {
      for (std::string_view parola : {"curva", "pendenza", "montagna", "indicat", "cartello"}) {
        EXPECT_EQ(riga.find(parola), std::string_view::npos);
      }
    }
    std::string_view resto = riga;
    while (!resto.empty() && static_cast<unsigned char>(resto.front()) < 0x80)
      resto.remove_prefix(1);
    if (!resto.empty()) {
      ++con_gradi;
      std::string senza = std::string(riga);
      for (size_t p = senza.find("\xC2\xB0"); p != std::string::npos; p = senza.find("\xC2\xB0")) {
        senza.erase(p, 2);
      }
      EXPECT_TRUE(std::all_of(senza.begin(), senza.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x80;
      })) << "only the degree sign lies outside ASCII";
    }
  }
  EXPECT_EQ(piu_lunga, 85u);
  EXPECT_EQ(con_gradi, 6u);
}

TEST(LineSource, CurvesKeepTheirFormCountsAndOrder) {
  const std::regex forma(R"(curva[ds][3-6],  [1-9][0-9]*,  [1-9][0-9]*)");
  for (std::string_view riga : righe_di(righe_linea(), "[curve]")) {
    EXPECT_TRUE(combacia(riga, forma)) << riga;
  }
  const std::vector<Curva> cs = curve();
  ASSERT_EQ(cs.size(), 183u);
  std::map<char, int> lati;
  std::map<int, int> classi;
  for (size_t i = 0; i < cs.size(); ++i) {
    const Curva& c = cs[i];
    SCOPED_TRACE(c.posizione);
    ++lati[c.lato];
    ++classi[c.classe];
    EXPECT_EQ(c.posizione % 50, 0);
    EXPECT_EQ(c.lunghezza % 50, 0);
    EXPECT_GE(c.lunghezza, 50);
    EXPECT_LE(c.lunghezza, 1150);
    // One after the other: a curve may begin exactly where the previous one ends.
    if (i > 0) {
      EXPECT_GE(c.posizione, cs[i - 1].posizione + cs[i - 1].lunghezza);
    }
  }
  EXPECT_EQ(lati, (std::map<char, int>{{'d', 93}, {'s', 90}}));
  EXPECT_EQ(classi, (std::map<int, int>{{3, 5}, {4, 23}, {5, 50}, {6, 105}}));
  EXPECT_EQ(cs.front().posizione, 2300);
  EXPECT_EQ(cs.back().posizione, 97750);
  const auto lunghezze = [&] {
    std::vector<int> l;
    for (const Curva& c : cs) l.push_back(c.lunghezza);
    return l;
  }();
  EXPECT_EQ(*std::min_element(lunghezze.begin(), lunghezze.end()), 50);
  EXPECT_EQ(*std::max_element(lunghezze.begin(), lunghezze.end()), 1150);

  const std::vector<std::string_view> righe = righe_di(righe_linea(), "[curve]");
  EXPECT_EQ(righe[0], "curvad6,  2300,  300");
  EXPECT_EQ(righe[1], "curvas6,  2600,  150");
  EXPECT_NE(std::find(righe.begin(), righe.end(), "curvas4,  75750,  1150"), righe.end());
}

TEST(LineSource, GradientsRiseToTheSummitAndStayInRange) {
  const std::regex forma(R"(pendenza,  (0|[1-9][0-9]*),   (0|-?[1-9][0-9]*))");
  for (std::string_view riga : righe_di(righe_linea(), "[pendenze]")) {
    EXPECT_TRUE(combacia(riga, forma)) << riga;
  }
  const std::vector<Punto> ps = pendenze();
  ASSERT_EQ(ps.size(), 175u);
  EXPECT_EQ(ps.front().posizione, 0);
  EXPECT_EQ(ps.back().posizione, 99150);
  int minimo = 0, massimo = 0;
  for (size_t i = 0; i < ps.size(); ++i) {
    EXPECT_EQ(ps[i].posizione % 50, 0);
    if (i > 0) {
      EXPECT_GT(ps[i].posizione, ps[i - 1].posizione);
    }
    minimo = std::min(minimo, ps[i].valore);
    massimo = std::max(massimo, ps[i].valore);
  }
  EXPECT_EQ(minimo, -22);
  EXPECT_EQ(massimo, 22);
  const std::vector<std::string_view> righe = righe_di(righe_linea(), "[pendenze]");
  EXPECT_EQ(righe[0], "pendenza,  0,   0");
  EXPECT_EQ(righe[1], "pendenza,  2100,   20");
  EXPECT_NE(std::find(righe.begin(), righe.end(), "pendenza,  13300,   -18"), righe.end());
}

TEST(LineSource, MountainStretchesKeepTheirFormKindsAndLengths) {
  const std::regex forma(R"(montagna,   [1-9][0-9]*,  [1-9][0-9]*,  (1|2|11|12))");
  for (std::string_view riga : righe_di(righe_linea(), "[montagne]")) {
    EXPECT_TRUE(combacia(riga, forma)) << riga;
  }
  const std::vector<Montagna> ms = montagne();
  ASSERT_EQ(ms.size(), 40u);
  std::map<int, int> tipi;
  std::set<int> lunghezze;
  for (size_t i = 0; i < ms.size(); ++i) {
    SCOPED_TRACE(ms[i].inizio);
    ++tipi[ms[i].tipo];
    lunghezze.insert(ms[i].fine - ms[i].inizio);
    EXPECT_EQ(ms[i].inizio % 50, 0);
    EXPECT_EQ(ms[i].fine % 50, 0);
    if (i > 0) {
      EXPECT_GT(ms[i].inizio, ms[i - 1].fine);
    }
  }
  EXPECT_EQ(tipi, (std::map<int, int>{{1, 24}, {2, 5}, {11, 8}, {12, 3}}));
  EXPECT_EQ(*lunghezze.begin(), 50);
  EXPECT_EQ(*lunghezze.rbegin(), 750);
  const std::vector<std::string_view> righe = righe_di(righe_linea(), "[montagne]");
  for (std::string_view esempio : {"montagna,   4700,  4900,  1", "montagna,   20050,  20400,  11",
                                   "montagna,   32400,  33100,  12"}) {
    EXPECT_NE(std::find(righe.begin(), righe.end(), esempio), righe.end()) << esempio;
  }
}

TEST(LineSource, SpeedBoardsKeepTheirEmptySecondGroup) {
  const std::regex forma(
      R"(indicatori_vmax,  [1-9][0-9]*,  [1-9][0-9]*,  [1-9][0-9]*,  [1-9][0-9]*,  0,  ,  ,  ,  0)");
  const std::vector<std::string_view> righe = righe_di(righe_linea(), "[cartelli]");
  for (std::string_view riga : righe) {
    EXPECT_TRUE(combacia(riga, forma)) << riga;
    EXPECT_EQ(std::count(riga.begin(), riga.end(), ','), 9);
  }
  const std::vector<IndicatoreVmax> vs = indicatori_vmax();
  ASSERT_EQ(vs.size(), 10u);
  int minimo = 1000, massimo = 0;
  for (size_t i = 0; i < vs.size(); ++i) {
    EXPECT_EQ(vs[i].posizione % 50, 0);
    if (i > 0) {
      EXPECT_GT(vs[i].posizione, vs[i - 1].posizione);
    }
    for (int v : {vs[i].vas, vs[i].vbs, vs[i].vcs}) {
      minimo = std::min(minimo, v);
      massimo = std::max(massimo, v);
    }
  }
  EXPECT_EQ(minimo, 60);
  EXPECT_EQ(massimo, 140);
  EXPECT_EQ(righe.front(), "indicatori_vmax,  1150,  70,  75,  75,  0,  ,  ,  ,  0");
  EXPECT_NE(std::find(righe.begin(), righe.end(),
                      "indicatori_vmax,  87500,  120,  140,  140,  0,  ,  ,  ,  0"),
            righe.end());
}

TEST(LineSource, LetteredBoardsArePaddedGroupsNamingTheStructure) {
  const std::regex forma(R"(cartello_indicatore,  [1-9][0-9]*,   \(.*\))");
  const std::vector<std::string_view> righe = righe_di(righe_linea(), "[indicazioni]");
  for (std::string_view riga : righe) EXPECT_TRUE(combacia(riga, forma)) << riga;
  EXPECT_EQ(righe.front(), "cartello_indicatore,  4650,   (GALERIA ARTIF.  )(Mt.140 Km.95+278)");
  EXPECT_NE(std::find(righe.begin(), righe.end(),
                      "cartello_indicatore,  13100,   (CULMINE  )(Km.86+857)"),
            righe.end());

  const std::regex lunghezza_e_km(R"(Mt\.[1-9][0-9]* Km\.[0-9]{1,2}\+[0-9]{3} *)");
  const std::regex solo_km(R"(Km\.[0-9]{1,2}\+[0-9]{3} *)");
  const std::vector<Cartello> cs = cartelli();
  ASSERT_EQ(cs.size(), 31u);
  std::map<size_t, int> gruppi;
  std::set<size_t> larghezze;
  for (size_t i = 0; i < cs.size(); ++i) {
    const Cartello& c = cs[i];
    SCOPED_TRACE(c.scritta);
    EXPECT_EQ(c.posizione % 50, 0);
    if (i > 0) {
      EXPECT_GT(c.posizione, cs[i - 1].posizione);
    }
    ++gruppi[c.gruppi.size()];
    // Every line of one board is padded to the board's longest line, which
    // itself has no padding.
    size_t larghezza = 0, piu_lunga_senza_blank = 0;
    for (std::string_view g : c.gruppi) {
      if (larghezza == 0) larghezza = caratteri(g);
      EXPECT_EQ(caratteri(g), larghezza);
      piu_lunga_senza_blank = std::max(piu_lunga_senza_blank, caratteri(senza_blank(g)));
      EXPECT_NE(g.front(), ' ');
    }
    EXPECT_EQ(piu_lunga_senza_blank, larghezza);
    larghezze.insert(larghezza);
    const std::string_view ultimo = c.gruppi.back();
    if (c.gruppi.front().starts_with("CULMINE")) {
      EXPECT_TRUE(combacia(ultimo, solo_km));
    } else {
      EXPECT_TRUE(combacia(ultimo, lunghezza_e_km));
    }
  }
  EXPECT_EQ(cs.front().posizione, 4650);
  EXPECT_EQ(cs.back().posizione, 43000);
  EXPECT_EQ(gruppi, (std::map<size_t, int>{{2, 2}, {3, 29}}));
  EXPECT_EQ(larghezze, (std::set<size_t>{9, 14, 15, 16}));
}

TEST(LineSource, EveryPositionLiesOnTheRoute) {
  const int lunghezza = 100000;
  for (const Curva& c : curve()) EXPECT_LE(c.posizione + c.lunghezza, lunghezza);
  for (const Punto& p : pendenze()) EXPECT_LT(p.posizione, lunghezza);
  for (const Montagna& m : montagne()) {
    EXPECT_GT(m.inizio, 0);
    EXPECT_LE(m.fine, lunghezza);
  }
  for (const IndicatoreVmax& v : indicatori_vmax()) EXPECT_LT(v.posizione, lunghezza);
  for (const Cartello& c : cartelli()) EXPECT_LT(c.posizione, lunghezza);
}

}  // namespace
}  // namespace scenario
