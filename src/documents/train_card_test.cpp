// The train card: its fixed lines, its layout, and a reading of its timetable
// rows checked against the train source text, so that the paper and the
// scenario the simulator loads cannot drift apart.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "base/memory_file_system.h"
#include "documents/crew_documents.h"
#include "util/document_test_util.h"
#include "util/source_records_test_util.h"

namespace scenario {
namespace {

using namespace test;

std::vector<std::string> righe_della_scheda() {
  return righe_scritte(dati_scheda, &NomiFile::scheda_treno);
}

TEST(TrainCard, IsWrittenUnderItsNameAs57AsciiLines) {
  MemoryFileSystem memoria;
  const std::string nome = kNomi.scheda_treno();
  EXPECT_TRUE(nome.ends_with("BELFORTE SELVEN - MELAR_8312_scheda_treno.txt"));
  memoria.files()[nome] = std::string(10000, '#');
  ASSERT_TRUE(dati_scheda(memoria, kNomi).ok());
  ASSERT_EQ(memoria.files().size(), 1u);
  const std::string& testo = memoria.files()[nome];
  EXPECT_TRUE(testo.starts_with("\r\n\r\n  ____"));
  EXPECT_TRUE(testo.ends_with("|_____|\r\n \r\n"));
  EXPECT_EQ(testo.find('#'), std::string::npos);
  EXPECT_EQ(testo.find("riferimento"), std::string::npos);
  EXPECT_TRUE(std::all_of(testo.begin(), testo.end(),
                          [](char c) { return static_cast<unsigned char>(c) < 0x80; }));
  EXPECT_EQ(righe_della_scheda().size(), 57u);

  memoria.FailWritesTo(nome);
  EXPECT_FALSE(dati_scheda(memoria, kNomi).ok());
  EXPECT_EQ(memoria.files()[nome], testo);
}

TEST(TrainCard, FixedLinesAreWrittenExactly) {
  const std::vector<std::string> righe = righe_della_scheda();
  ASSERT_EQ(righe.size(), 57u);
  const std::vector<std::pair<size_t, std::string_view>> fisse = {
      {0, ""},
      {1, ""},
      {2, "  ___________________                                               ______________"},
      {3, " |                   |                    SCHEDA TRENO             |              |"},
      {4, " |   TRENO n.8312    |                   da: BELFORTE SELVEN       |    V140 B    |"},
      {5, " |___________________|                    a: MELAR                 |     110%     |"},
      {6, "                                                                   |______________|"},
      {7, "  ___________________                ___________________"},
      {8, " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       "},
      {9, " |      LOCALE       |              |      400T         |"},
      {10, " |___________________|              |___________________|"},
      {11, ""},
      {12, "  _________________________________________________________________________________"},
      {13, " | Vel.| Vel.| Progr Km |  No |   Localita' di  Servizio   |     Orario     | Rec |"},
      {14, " | Lim.|Marc.|          |  Rs |                            |                |     |"},
      {15, " |_____|_____|__________|_____|____________________________|________________|_____|"},
      {16, " |  75 |  55 |   99+986 |     |BELFORTE SELVEN(SIMULATA)   |          17.23 |     |"},
      {52, " |     |     |    0+000 |     |MELAR                       |19.27           |  2+ |"},
      {53, " |     |     |          |     |                            |                |     | "},
      {54, " |     |     |          |     |                            |                |     |"},
      {55, " |_____|_____|__________|_____|TRATTO DA UN FOGLIO DI VIAGGIO DEL 1982-83___|_____|"},
      {56, " "},
  };
  for (const auto& [indice, attesa] : fisse) EXPECT_EQ(righe[indice], attesa) << "entry " << indice;

  // The example rows of this content stand among the data rows.
  for (std::string_view esempio : {
           " |     |     |   93+586 |     |BELFORTE CENTRALE...........|17.30     17.35 |     |",
           " |     |     |   82+651 |     |VALDORNO....................|17.51     17.51+|     |",
           " |     |     |   86+790 |     |culmine                     |     17.46      |     |",
           " |  75 |     |   92+450 |     |cippo Km 92+450             |                |     |   ",
       }) {
    EXPECT_NE(std::find(righe.begin() + 16, righe.begin() + 53, esempio), righe.begin() + 53)
        << esempio;
  }
}

// One timetable row, read column by column.
struct RigaScheda {
  std::optional<int> limite;
  std::optional<int> marcia;
  int km = 0;  // metres of chainage
  std::string nome;
  bool puntini = false;                           // a stopping place: name followed by dots
  std::optional<int> arrivo, partenza, transito;  // seconds since midnight
  std::string recupero;
  size_t blank_finali = 0;
};

// "  75 " gives 75, five blanks give nothing.
std::optional<int> velocita_colonna(std::string_view c) {
  EXPECT_EQ(c.size(), 5u);
  EXPECT_EQ(c.back(), ' ') << c;
  if (c == "     ") return std::nullopt;
  EXPECT_EQ(c.substr(0, 4).find_last_of(' ') + 1, 4 - senza_blank(c).size())
      << "right-aligned: " << c;
  return intero(senza_blank(c));
}

// "17.51+" as seconds since midnight, "+" adding half a minute.
int ora(std::string_view t) {
  EXPECT_TRUE(t.size() == 6 && t[2] == '.' && (t[5] == ' ' || t[5] == '+')) << t;
  return (intero(t.substr(0, 2)) * 60 + intero(t.substr(3, 2))) * 60 + (t[5] == '+' ? 30 : 0);
}

RigaScheda leggi_riga(std::string_view riga) {
  RigaScheda r;
  SCOPED_TRACE(riga);
  EXPECT_GE(riga.size(), 83u);
  if (riga.size() < 83) return r;
  const std::string_view corpo = riga.substr(0, 83);
  const std::string_view coda = riga.substr(83);
  r.blank_finali = coda.size();
  EXPECT_EQ(coda.find_first_not_of(' '), std::string_view::npos);
  for (size_t bar : {1u, 7u, 13u, 24u, 30u, 59u, 76u, 82u}) EXPECT_EQ(corpo[bar], '|') << bar;
  EXPECT_EQ(corpo[0], ' ');
  r.limite = velocita_colonna(corpo.substr(2, 5));
  r.marcia = velocita_colonna(corpo.substr(8, 5));
  const std::string_view km = corpo.substr(14, 10);
  EXPECT_EQ(km.back(), ' ');
  EXPECT_EQ(km.substr(0, 9).find_last_of(' ') + 1, 9 - senza_blank(km).size())
      << "right-aligned: " << km;
  const std::string_view testo_km = senza_blank(km);
  const size_t piu = testo_km.find('+');
  EXPECT_EQ(testo_km.size() - piu, 4u) << "three-digit metres: " << km;
  r.km = intero(testo_km.substr(0, piu)) * 1000 + intero(testo_km.substr(piu + 1));
  EXPECT_EQ(corpo.substr(25, 5), "     ");
  const std::string_view nome = corpo.substr(31, 28);
  const size_t fine_nome = nome.find_last_not_of(". ") + 1;
  r.nome = std::string(nome.substr(0, fine_nome));
  const std::string_view riempimento = nome.substr(fine_nome);
  r.puntini = !riempimento.empty() && riempimento.find_first_not_of('.') == std::string_view::npos;
  EXPECT_TRUE(riempimento.empty() || r.puntini ||
              riempimento.find_first_not_of(' ') == std::string_view::npos)
      << "dots or blanks, never both";
  const std::string_view orario = corpo.substr(60, 16);
  if (orario.substr(0, 5) != "     " && orario.substr(6, 4) == "    " &&
      orario.substr(10, 5) != "     ") {
    r.arrivo = ora(orario.substr(0, 6));
    r.partenza = ora(orario.substr(10, 6));
  } else if (orario.substr(0, 10) == "          " && orario.substr(10, 5) != "     ") {
    r.partenza = ora(orario.substr(10, 6));
  } else if (orario.substr(0, 5) == "     " && orario.substr(10, 6) == "      " &&
             orario.substr(5, 5) != "     ") {
    r.transito = ora(std::string(orario.substr(5, 5)) + " ");
  } else if (orario.substr(5) == std::string(11, ' ') && orario.substr(0, 5) != "     ") {
    r.arrivo = ora(std::string(orario.substr(0, 5)) + " ");
  } else {
    EXPECT_EQ(orario, std::string(16, ' ')) << "one of the five forms of the Orario column";
  }
  r.recupero = std::string(corpo.substr(77, 5));
  return r;
}

std::vector<RigaScheda> righe_orario() {
  const std::vector<std::string> righe = righe_della_scheda();
  std::vector<RigaScheda> risultato;
  if (righe.size() != 57) return risultato;
  for (size_t i = 16; i <= 52; ++i) risultato.push_back(leggi_riga(righe[i]));
  return risultato;
}

TEST(TrainCard, RowsAreReadableColumnByColumnAndRunTowardsKilometreZero) {
  const std::vector<RigaScheda> rs = righe_orario();
  ASSERT_EQ(rs.size(), 37u);
  int fermate = 0, transiti = 0, cambi = 0, limiti_scritti = 0, marce_scritte = 0, con_coda = 0;
  for (size_t i = 0; i < rs.size(); ++i) {
    const RigaScheda& r = rs[i];
    SCOPED_TRACE(r.nome);
    if (i > 0) {
      EXPECT_LT(r.km, rs[i - 1].km);
    }
    if (r.limite) ++limiti_scritti;
    if (r.marcia) ++marce_scritte;
    if (r.arrivo && r.partenza) {
      ++fermate;
      EXPECT_TRUE(r.puntini);
    } else if (r.transito) {
      ++transiti;
      EXPECT_FALSE(r.puntini);
    } else if (!r.arrivo && !r.partenza) {
      ++cambi;
      EXPECT_TRUE(r.limite.has_value() || r.marcia.has_value());
      EXPECT_TRUE(r.nome.starts_with("cippo Km ") || r.nome.starts_with("sc.ingr. ") ||
                  r.nome.starts_with("dev.ing. "));
    }
    if (r.blank_finali > 0) {
      ++con_coda;
      EXPECT_LE(r.blank_finali, 12u);
      EXPECT_FALSE(r.arrivo || r.partenza || r.transito) << "only speed-change rows run on";
    }
    EXPECT_TRUE(r.recupero == "     " || r.recupero == "  1  " || r.recupero == "  2+ ")
        << r.recupero;
  }
  EXPECT_EQ(fermate, 22);
  EXPECT_EQ(transiti, 4);
  EXPECT_EQ(cambi, 9);
  EXPECT_EQ(limiti_scritti, 10);
  EXPECT_EQ(marce_scritte, 7);
  EXPECT_EQ(con_coda, 6);
  EXPECT_EQ(rs.front().km, 99986);
  EXPECT_EQ(rs.front().nome, "BELFORTE SELVEN(SIMULATA)");
  EXPECT_EQ(rs.back().km, 0);
  EXPECT_EQ(rs.back().recupero, "  2+ ");
  // A cippo row names its own kilometre.
  for (const RigaScheda& r : rs) {
    if (!r.nome.starts_with("cippo Km ")) continue;
    const std::string km = std::to_string(r.km / 1000) + "+" +
                           std::string(r.km % 1000 < 100 ? "0" : "") +
                           std::string(r.km % 1000 < 10 ? "0" : "") + std::to_string(r.km % 1000);
    EXPECT_EQ(r.nome, "cippo Km " + km);
  }
}

TEST(TrainCard, EveryStationOfTheTimetableAppearsWithItsStopAndTimes) {
  const std::vector<RigaScheda> rs = righe_orario();
  const std::vector<Stazione> ss = stazioni();
  ASSERT_EQ(rs.size(), 37u);
  size_t r = 0;
  int ultimo_orario = 0;
  for (size_t k = 0; k < ss.size(); ++k) {
    const Stazione& s = ss[k];
    SCOPED_TRACE(s.nome);
    const std::string nome_sulla_scheda =
        k == 0 ? std::string(s.nome) + "(SIMULATA)" : std::string(s.nome);
    while (r < rs.size() && rs[r].nome != nome_sulla_scheda) ++r;
    ASSERT_LT(r, rs.size()) << "missing or out of order";
    const RigaScheda& riga = rs[r];
    // The kilometre on the card lies inside the station's area.
    EXPECT_GE(riga.km, 100000 - s.fine());
    EXPECT_LE(riga.km, 100000 - s.inizio());
    if (k == 0) {
      ASSERT_TRUE(riga.partenza.has_value());
      EXPECT_FALSE(riga.arrivo.has_value());
      EXPECT_EQ(*riga.partenza, s.orario());
    } else if (k + 1 == ss.size()) {
      ASSERT_TRUE(riga.arrivo.has_value());
      EXPECT_FALSE(riga.partenza.has_value());
      EXPECT_EQ(*riga.arrivo, s.orario());
    } else if (s.orario() == 0) {
      // No timed stop: a passing time on the card only.
      ASSERT_TRUE(riga.transito.has_value());
      EXPECT_FALSE(riga.puntini);
      EXPECT_GT(*riga.transito, ultimo_orario);
      ultimo_orario = *riga.transito;
      continue;
    } else {
      ASSERT_TRUE(riga.arrivo && riga.partenza);
      EXPECT_TRUE(riga.puntini);
      EXPECT_EQ(*riga.partenza, s.orario());
      if (s.sosta() == 30 || s.sosta() == 60) {
        EXPECT_EQ(*riga.partenza - *riga.arrivo, s.sosta());
      } else {
        EXPECT_EQ(s.sosta(), 99);
        EXPECT_GE(*riga.partenza - *riga.arrivo, 120) << "a stop of several minutes";
      }
      EXPECT_GT(*riga.arrivo, ultimo_orario);
    }
    ultimo_orario = s.orario();
  }
  // Every row with a time is a station of the timetable, except the summit.
  std::set<std::string> nomi;
  for (const Stazione& s : ss) nomi.insert(std::string(s.nome));
  nomi.insert("BELFORTE SELVEN(SIMULATA)");
  for (const RigaScheda& riga : rs) {
    if (riga.arrivo || riga.partenza || (riga.transito && riga.nome != "culmine")) {
      EXPECT_EQ(nomi.count(riga.nome), 1u) << riga.nome;
    }
  }
}

TEST(TrainCard, SpeedColumnShowsTheTrainsLimitsWhereTheyChange) {
  const std::vector<RigaScheda> rs = righe_orario();
  const std::vector<Punto> ls = limiti();
  const std::vector<Stazione> ss = stazioni();
  ASSERT_EQ(rs.size(), 37u);
  ASSERT_FALSE(ls.empty());
  ASSERT_FALSE(ss.empty());
  // The first row carries the limit the train starts with.
  EXPECT_EQ(ls.front().posizione, 0);
  ASSERT_TRUE(rs.front().limite.has_value());
  EXPECT_EQ(*rs.front().limite, ls.front().valore);

  auto limite_a = [&](int posizione) {
    int v = 0;
    for (const Punto& p : ls) {
      if (p.posizione <= posizione) v = p.valore;
    }
    return v;
  };
  // Every other limit on the card is a change of the train's limit at that
  // kilometre; the running speed never exceeds the limit in force.
  for (size_t i = 1; i < rs.size(); ++i) {
    const RigaScheda& r = rs[i];
    const int posizione = 100000 - r.km;
    if (r.limite) {
      const auto p = std::find_if(ls.begin(), ls.end(),
                                  [&](const Punto& x) { return x.posizione == posizione; });
      ASSERT_NE(p, ls.end()) << r.nome;
      EXPECT_EQ(p->valore, *r.limite) << r.nome;
    }
    if (r.marcia) {
      EXPECT_LE(*r.marcia, limite_a(posizione)) << r.nome;
    }
  }
  EXPECT_LE(*rs.front().marcia, ls.front().valore);
  // And every change of the limit is on the card, but for the run on sight
  // into the buffer-stop track inside the terminal.
  for (size_t i = 1; i < ls.size(); ++i) {
    const int km = 100000 - ls[i].posizione;
    const bool sulla_scheda = std::any_of(
        rs.begin(), rs.end(), [&](const RigaScheda& r) { return r.km == km && r.limite; });
    const bool nel_capolinea = ls[i].posizione >= ss.back().inizio();
    EXPECT_NE(sulla_scheda, nel_capolinea) << ls[i].posizione;
  }
}

TEST(TrainCard, TitleBoxAgreesWithTheTrainSettings) {
  const std::vector<std::string> righe = righe_della_scheda();
  ASSERT_EQ(righe.size(), 57u);
  int massimo = 0;
  for (const Punto& p : limiti()) massimo = std::max(massimo, p.valore);
  EXPECT_NE(righe[4].find("V" + std::to_string(massimo) + " B"), std::string::npos);
  const std::vector<std::string_view> generale = righe_di(righe_treno(), "[generale]");
  ASSERT_GE(generale.size(), 2u);
  ASSERT_TRUE(generale[1].starts_with("percentuale massa frenata,"));
  const int massa = intero(campi(generale[1])[1]);
  EXPECT_NE(righe[5].find(std::to_string(massa) + "%"), std::string::npos);
  EXPECT_NE(righe[4].find("n." + kNomi.numero_treno), std::string::npos);
}

}  // namespace
}  // namespace scenario
