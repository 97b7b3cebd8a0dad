// Facts about the train source text of train 8312: its sections, the exact
// form of every record kind, the timetable's values and the signals.
#include "content/train_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "util/source_records_test_util.h"

namespace scenario {
namespace {

using namespace test;

// A field right-aligned in `larghezza` characters.
std::string a_destra(int valore, int larghezza) {
  char testo[32];
  std::snprintf(testo, sizeof testo, "%*d", larghezza, valore);
  return testo;
}

TEST(TrainSource, HasItsEightSectionsInOrderAnd102LinesBeforeTheMarker) {
  const ListaRighe lista = righe_treno();
  EXPECT_EQ(lista.size(), 103u);
  EXPECT_EQ(righe_prima_del_marcatore(lista), 102u);
  EXPECT_EQ(lista[0], "[generale]");
  EXPECT_EQ(lista[101], "[fine]");
  EXPECT_EQ(lista[102], kFineLista);
  std::vector<std::pair<std::string, size_t>> trovate;
  for (const Sezione& s : sezioni(lista)) trovate.emplace_back(s.intestazione, s.righe.size());
  const std::vector<std::pair<std::string, size_t>> attese = {
      {"[generale]", 4},      {"[aderenze]", 5}, {"[vel_limite]", 11}, {"[stazioni]", 27},
      {"[rallentamenti]", 5}, {"[segnali]", 42}, {"[codici]", 0},      {"[fine]", 0}};
  EXPECT_EQ(trovate, attese);
}

TEST(TrainSource, GeneralSectionIsWrittenExactlyWithTheClocksTrailingBlank) {
  const std::vector<std::string_view> attese = {
      "numero vetture,    5",
      "percentuale massa frenata,    110",
      "sabbia,    100",
      "orologio,    17              22            0 ",
  };
  EXPECT_EQ(righe_di(righe_treno(), "[generale]"), attese);
}

TEST(TrainSource, EveryLineIsPlainAsciiAndOnlyTheClockEndsInABlank) {
  const ListaRighe lista = righe_treno();
  size_t piu_lunga = 0;
  for (size_t i = 0; i < righe_prima_del_marcatore(lista); ++i) {
    const std::string_view riga = lista[i];
    SCOPED_TRACE(riga);
    piu_lunga = std::max(piu_lunga, riga.size());
    EXPECT_FALSE(riga.empty());
    EXPECT_TRUE(std::all_of(riga.begin(), riga.end(), [](char c) {
      return static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7F;
    }));
    EXPECT_EQ(riga.find('"'), std::string_view::npos);
    EXPECT_NE(riga.front(), ' ');
    EXPECT_EQ(riga.back() == ' ', riga.starts_with("orologio,"));
    EXPECT_EQ(campi(riga)[0].find('-'), std::string_view::npos);
    if (riga.starts_with("[")) {
      for (std::string_view parola :
           {"aderenza", "velocit", "stazione", "rallentamento", "segnale", "abbattimento"}) {
        EXPECT_EQ(riga.find(parola), std::string_view::npos);
      }
    }
  }
  EXPECT_EQ(piu_lunga, 95u);
}

TEST(TrainSource, AdhesionAndSpeedLimitsAreFixedColumnsFromPositionZero) {
  for (const auto& [intestazione, parola, conta, minimo, massimo] :
       {std::tuple{"[aderenze]", "aderenza", 5u, 70, 85},
        std::tuple{"[vel_limite]", "velocita", 11u, 30, 140}}) {
    SCOPED_TRACE(intestazione);
    const std::vector<std::string_view> righe = righe_di(righe_treno(), intestazione);
    const std::vector<Punto> punti = valori(righe_treno(), intestazione);
    ASSERT_EQ(punti.size(), conta);
    EXPECT_EQ(punti.front().posizione, 0);
    int basso = 1000, alto = 0;
    for (size_t i = 0; i < punti.size(); ++i) {
      EXPECT_EQ(righe[i], std::string(parola) + "," + a_destra(punti[i].posizione, 8) + "," +
                              a_destra(punti[i].valore, 6));
      EXPECT_EQ(punti[i].posizione % 50, 0);
      if (i > 0) {
        EXPECT_GT(punti[i].posizione, punti[i - 1].posizione);
      }
      basso = std::min(basso, punti[i].valore);
      alto = std::max(alto, punti[i].valore);
    }
    EXPECT_EQ(basso, minimo);
    EXPECT_EQ(alto, massimo);
  }
  for (const Punto& p : limiti()) EXPECT_EQ(p.valore % 5, 0);
  const std::vector<std::string_view> a = righe_di(righe_treno(), "[aderenze]");
  EXPECT_EQ(a[0], "aderenza,       0,    80");
  EXPECT_EQ(a[1], "aderenza,   11750,    75");
  const std::vector<std::string_view> v = righe_di(righe_treno(), "[vel_limite]");
  EXPECT_EQ(v[0], "velocita,       0,    75");
  for (std::string_view esempio : {"velocita,   59500,   105", "velocita,   87500,   140"}) {
    EXPECT_NE(std::find(v.begin(), v.end(), esempio), v.end()) << esempio;
  }
}

std::string riga_stazione(const Stazione& s) {
  std::string r = "stazione," + a_destra(s.posizione, 8) + "," + a_destra(s.tipo, 3) + "," +
                  a_destra(s.lunghezza, 5);
  const int larghezze[14] = {0, 0, 0, 0, 3, 2, 2, 3, 1, 1, 3, 1, 1, 5};
  for (int k = 4; k <= 13; ++k) r += "," + a_destra(s.campo[k], larghezze[k]);
  r += "," + a_destra(s.ore, 4) + "," + a_destra(s.minuti, 2) + "," + a_destra(s.secondi, 2) + ", ";
  r += s.nome;
  return r;
}

TEST(TrainSource, StationsAreFixedColumnsWithTheirNameLast) {
  const std::vector<std::string_view> righe = righe_di(righe_treno(), "[stazioni]");
  const std::vector<Stazione> ss = stazioni();
  ASSERT_EQ(ss.size(), 27u);
  for (size_t i = 0; i < ss.size(); ++i) EXPECT_EQ(righe[i], riga_stazione(ss[i]));
  EXPECT_EQ(
      righe.front(),
      "stazione,       0,  8,  300,  1, 0, 0,  4,1,0,  2,1,1,    1,  17,23, 0, BELFORTE SELVEN");
  EXPECT_NE(
      std::find(righe.begin(), righe.end(),
                "stazione,   17150, 22,  600,  0, 0, 1,  0,0,0,  4,1,1,   30,  17,51,30, VALDORNO"),
      righe.end());
  EXPECT_EQ(righe.back(),
            "stazione,  100000, 12,  500,  1, 0, 0,  1,1,0,  2,1,1,    0,  19,27, 0, MELAR");
}

TEST(TrainSource, TimetableValuesAreTheOnesTheSimulatorIsGiven) {
  const std::vector<Stazione> ss = stazioni();
  ASSERT_EQ(ss.size(), 27u);
  std::map<int, int> tipi;
  std::set<int> lunghezze;
  std::map<int, std::set<int>> per_campo;
  std::set<int> ore, secondi;
  std::set<char> segni;
  size_t nome_piu_lungo = 0;
  int senza_orario = 0;
  for (size_t i = 0; i < ss.size(); ++i) {
    const Stazione& s = ss[i];
    SCOPED_TRACE(s.nome);
    ++tipi[s.tipo];
    lunghezze.insert(s.lunghezza);
    for (int k = 4; k <= 13; ++k) per_campo[k].insert(s.campo[k]);
    ore.insert(s.ore);
    secondi.insert(s.secondi);
    EXPECT_LE(s.minuti, 59);
    EXPECT_GE(s.minuti, 0);
    EXPECT_EQ(s.posizione % 50, 0);
    EXPECT_EQ(s.lunghezza % 100, 0);
    if (i > 0) {
      EXPECT_GT(s.posizione, ss[i - 1].posizione);
    }
    nome_piu_lungo = std::max(nome_piu_lungo, s.nome.size());
    for (char c : s.nome) {
      if (!(c >= 'A' && c <= 'Z')) segni.insert(c);
    }
    if (s.orario() == 0) ++senza_orario;
    // Groups B and C carry nothing at the halts, group B nothing at kinds 22 and 24.
    if (s.tipo >= 25) {
      for (int k : {7, 8, 9, 10, 11, 12}) EXPECT_EQ(s.campo[k], 0) << k;
    }
    if (s.tipo == 22 || s.tipo == 24) {
      for (int k : {7, 8, 9}) EXPECT_EQ(s.campo[k], 0) << k;
    }
    // The time is there exactly where the train has a timed stop (or arrives).
    const bool ferma = s.sosta() == 1 || s.sosta() == 30 || s.sosta() == 60 || s.sosta() == 99 ||
                       (i + 1 == ss.size());
    EXPECT_EQ(s.orario() != 0, ferma);
  }
  EXPECT_EQ(tipi, (std::map<int, int>{
                      {8, 1}, {11, 2}, {12, 11}, {22, 2}, {24, 3}, {25, 2}, {26, 1}, {28, 5}}));
  EXPECT_EQ(*lunghezze.begin(), 200);
  EXPECT_EQ(*lunghezze.rbegin(), 800);
  const std::map<int, std::set<int>> attesi = {{4, {0, 1}},     {5, {0}},
                                               {6, {0, 1}},     {7, {0, 1, 3, 4, 5}},
                                               {8, {0, 1, 4}},  {9, {0}},
                                               {10, {0, 2, 4}}, {11, {0, 1}},
                                               {12, {0, 1}},    {13, {0, 1, 30, 60, 99, 110, 115}}};
  EXPECT_EQ(per_campo, attesi);
  EXPECT_EQ(ore, (std::set<int>{0, 17, 18, 19}));
  EXPECT_EQ(secondi, (std::set<int>{0, 30}));
  EXPECT_EQ(senza_orario, 3);
  EXPECT_EQ(nome_piu_lungo, 23u);
  EXPECT_EQ(segni, (std::set<char>{' ', '-', '\'', '.'}));

  // Stop times: 1 at the origin, 0 at the terminal and at one place without a
  // stop, 110 and 115 at the two places of kind 11, 99 at two long stops.
  EXPECT_EQ(ss.front().sosta(), 1);
  EXPECT_EQ(ss.back().sosta(), 0);
  std::map<int, int> soste;
  for (const Stazione& s : ss) ++soste[s.sosta()];
  EXPECT_EQ(soste[0], 2);
  EXPECT_EQ(soste[99], 2);
  EXPECT_EQ(soste[30] + soste[60], 20);
  for (const Stazione& s : ss) {
    if (s.tipo == 11) {
      EXPECT_TRUE(s.sosta() == 110 || s.sosta() == 115) << s.nome;
    }
  }
}

TEST(TrainSource, SlowdownsAreFixedColumns) {
  const std::vector<std::string_view> righe = righe_di(righe_treno(), "[rallentamenti]");
  const std::vector<Rallentamento> rs = rallentamenti();
  ASSERT_EQ(rs.size(), 5u);
  for (size_t i = 0; i < rs.size(); ++i) {
    const Rallentamento& r = rs[i];
    EXPECT_EQ(righe[i], "rallentamento," + a_destra(r.x, 8) + "," + a_destra(r.v, 6) + "," +
                            a_destra(r.l, 5) + "," + a_destra(r.f_tt, 2) + "," +
                            a_destra(r.f_ta, 3) + "," + a_destra(r.d_v, 3));
    EXPECT_EQ(r.f_tt, 1);
    EXPECT_EQ(r.f_ta, 0);
    EXPECT_EQ(r.d_v, 0);
  }
  EXPECT_EQ(righe[0], "rallentamento,   10650,    30,  300, 1,  0,  0");
  EXPECT_EQ(righe[1], "rallentamento,   22350,    65,   50, 1,  0,  0");
}

TEST(TrainSource, SignalsAreFixedColumnsAndEveryDistantSignalLeadsToAHomeSignal) {
  const std::vector<std::string_view> righe = righe_di(righe_treno(), "[segnali]");
  const std::vector<Segnale> ss = segnali();
  ASSERT_EQ(ss.size(), 42u);
  std::map<int, int> tipi;
  std::set<int> s1, s2, tempi;
  for (size_t i = 0; i < ss.size(); ++i) {
    const Segnale& s = ss[i];
    SCOPED_TRACE(righe[i]);
    EXPECT_EQ(righe[i], "segnale," + a_destra(s.posizione, 8) + "," + a_destra(s.sx, 4) + "," +
                            a_destra(s.s1, 2) + "," + a_destra(s.s2, 2) + "," + a_destra(s.s3, 3) +
                            "," + a_destra(s.rapp, 2) + "," + a_destra(s.dx, 5) + "," +
                            a_destra(s.d1, 3) + "," + a_destra(s.d2, 1) + "," + a_destra(s.d3, 1) +
                            ", " + std::to_string(s.tempo));
    EXPECT_EQ(s.posizione % 50, 0);
    if (i > 0) {
      EXPECT_GT(s.posizione, ss[i - 1].posizione);
    }
    ++tipi[s.sx];
    s1.insert(s.s1);
    s2.insert(s.s2);
    if (s.tempo != 0) {
      EXPECT_EQ(s.sx, 2);
    }
    tempi.insert(s.tempo);
    for (int zero : {s.s3, s.rapp, s.dx, s.d1, s.d2, s.d3}) EXPECT_EQ(zero, 0);
    if (s.sx == 1) {
      ASSERT_LT(i + 1, ss.size());
      EXPECT_EQ(ss[i + 1].sx, 2);
      EXPECT_GE(ss[i + 1].posizione - s.posizione, 900);
      EXPECT_LE(ss[i + 1].posizione - s.posizione, 1350);
    }
  }
  EXPECT_EQ(tipi, (std::map<int, int>{{1, 18}, {2, 24}}));
  EXPECT_EQ(s1, (std::set<int>{2, 3, 4, 5}));
  EXPECT_EQ(s2, (std::set<int>{0, 3, 4}));
  EXPECT_EQ(tempi, (std::set<int>{0, 230, 235}));
  for (std::string_view esempio : {"segnale,    4500,   1, 3, 4,  0, 0,    0,  0,0,0, 0",
                                   "segnale,    5700,   2, 2, 3,  0, 0,    0,  0,0,0, 0",
                                   "segnale,   28150,   2, 3, 4,  0, 0,    0,  0,0,0, 230"}) {
    EXPECT_NE(std::find(righe.begin(), righe.end(), esempio), righe.end()) << esempio;
  }
}

}  // namespace
}  // namespace scenario
