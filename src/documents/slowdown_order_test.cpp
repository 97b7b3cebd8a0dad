// The slowdown order: its fixed lines, its layout, and a reading of its five
// rows checked against the slowdowns and the timetable of the train source
// text, so that the paper always orders the slowdowns the simulator lays.
#include <gtest/gtest.h>

#include <algorithm>
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

std::vector<std::string> righe_dell_ordine() {
  return righe_scritte(dati_rallentamenti, &NomiFile::rallentamenti);
}

constexpr std::string_view kRigaVuota =
    " |   |                            |            |          |         |            |";
constexpr std::string_view kFiletto =
    " |___|____________________________|____________|__________|_________|____________|";

TEST(SlowdownOrder, IsWrittenUnderItsNameAs47AsciiLines) {
  MemoryFileSystem memoria;
  const std::string nome = kNomi.rallentamenti();
  EXPECT_TRUE(nome.ends_with("BELFORTE SELVEN - MELAR_8312_rallentamenti.txt"));
  memoria.files()[nome] = std::string(10000, '#');
  ASSERT_TRUE(dati_rallentamenti(memoria, kNomi).ok());
  ASSERT_EQ(memoria.files().size(), 1u);
  const std::string& testo = memoria.files()[nome];
  EXPECT_TRUE(testo.starts_with("\r\n \r\n"));
  EXPECT_TRUE(testo.ends_with("seguenti:........." + std::string(26, ' ') + "\r\n"));
  EXPECT_EQ(testo.find('#'), std::string::npos);
  EXPECT_EQ(testo.find("riferimento"), std::string::npos);
  EXPECT_TRUE(std::all_of(testo.begin(), testo.end(),
                          [](char c) { return static_cast<unsigned char>(c) < 0x80; }));
  EXPECT_EQ(righe_dell_ordine().size(), 47u);

  memoria.FailWritesTo(nome);
  EXPECT_FALSE(dati_rallentamenti(memoria, kNomi).ok());
  EXPECT_EQ(memoria.files()[nome], testo);
}

TEST(SlowdownOrder, FixedLinesAreWrittenExactly) {
  const std::vector<std::string> righe = righe_dell_ordine();
  ASSERT_EQ(righe.size(), 47u);
  const std::vector<std::pair<size_t, std::string>> fisse = {
      {0, ""},
      {1, " "},
      {2, "                               Modulo M. 3"},
      {3, "                           ORDINE DI RALLENTAMENTO"},
      {4, " ________________________________________________________________________________"},
      {5, "  Linea  BELFORTE SELVEN-MELAR"},
      {6, ""},
      {7, "  Si ordina al macchinista del treno 8312 di effettuare i seguenti rallentamenti"},
      {8, "  _______________________________________________________________________________"},
      {9, " |   |                            |Inizio dopo |          |         |            |"},
      {10, " | N.|      FRA LE STAZIONI       | il cippo   | Velocita'|Lunghezza|Prescrizioni|"},
      {11, " |   |   (o nelle Stazioni di)    |chilometrico|          |   metri | specifiche |"},
      {12, std::string(kFiletto)},
      {39, std::string(kFiletto)},
      {40, ""},
      {41, "              Prescrizioni specifiche"},
      {42, " A - Da rispettare con tutto il treno (per i treni viaggiatori)"},
      {44, " D - Avviso come da disposizioni varie localita' di servizio"},
      {45, " C - Da rispettare dalle ore ....  alle ore ..... di tutti"},
      {46, "     i giorni esclusi i seguenti:........." + std::string(26, ' ')},
  };
  for (const auto& [indice, attesa] : fisse) EXPECT_EQ(righe[indice], attesa) << "entry " << indice;
  for (size_t i = 18; i <= 38; ++i) EXPECT_EQ(righe[i], kRigaVuota) << "entry " << i;
  EXPECT_TRUE(righe[43].starts_with(" B - Interessa anche la stazione di "));
  // Apart from the station names, the two example rows are rows of this order.
  EXPECT_TRUE(righe[13].starts_with(" |O1 |"));
  EXPECT_TRUE(righe[13].ends_with("|  89+35O    |   3O     |   3OO   |     A      |"));
  EXPECT_TRUE(righe[15].starts_with(" |O3 |"));
  EXPECT_TRUE(righe[15].ends_with("|  76+65O    |   3O     |   8OO   |   A-B-D    |"));
}

// The table's digits are typed with the capital letter O for zero.
std::string cifre(std::string_view testo) {
  std::string r(testo);
  std::replace(r.begin(), r.end(), 'O', '0');
  return r;
}

struct RigaOrdine {
  int numero = 0;
  std::string da, a;
  int km = 0;
  int velocita = 0;
  int lunghezza = 0;
  std::string prescrizioni;
};

// Splits "A-B" at the hyphen that leaves two neighbouring stations of the
// timetable; station names may hold a hyphen themselves.
bool dividi_stazioni(std::string_view testo, const std::vector<Stazione>& ss, RigaOrdine& r) {
  for (size_t t = testo.find('-'); t != std::string_view::npos; t = testo.find('-', t + 1)) {
    const std::string_view da = testo.substr(0, t), a = testo.substr(t + 1);
    for (size_t k = 0; k + 1 < ss.size(); ++k) {
      if (ss[k].nome == da && ss[k + 1].nome == a) {
        r.da = std::string(da);
        r.a = std::string(a);
        return true;
      }
    }
  }
  return false;
}

RigaOrdine leggi_riga(std::string_view riga, const std::vector<Stazione>& ss) {
  RigaOrdine r;
  SCOPED_TRACE(riga);
  EXPECT_EQ(riga.size(), 82u);
  if (riga.size() != 82) return r;
  for (size_t bar : {1u, 5u, 34u, 47u, 58u, 68u, 81u}) EXPECT_EQ(riga[bar], '|') << bar;
  EXPECT_EQ(riga.find('0'), std::string_view::npos) << "zero is typed as O";
  const std::string_view numero = riga.substr(2, 3);
  EXPECT_TRUE(numero[0] == 'O' && numero[2] == ' ') << numero;
  r.numero = intero(cifre(numero.substr(0, 2)));
  const std::string_view stazioni_col = riga.substr(6, 28);
  EXPECT_NE(stazioni_col.front(), ' ');
  EXPECT_TRUE(dividi_stazioni(senza_blank(stazioni_col), ss, r)) << "two neighbouring stations";
  const std::string_view km = riga.substr(35, 12);
  EXPECT_EQ(km.substr(0, 2), "  ");
  EXPECT_NE(km[2], ' ');
  const std::string testo_km = cifre(senza_blank(km));
  const size_t piu = testo_km.find('+');
  EXPECT_EQ(testo_km.size() - piu, 4u);
  r.km = intero(std::string_view(testo_km).substr(0, piu)) * 1000 +
         intero(std::string_view(testo_km).substr(piu + 1));
  const std::string_view velocita = riga.substr(48, 10);
  EXPECT_EQ(velocita.substr(0, 3), "   ");
  EXPECT_NE(velocita[3], ' ');
  r.velocita = intero(cifre(senza_blank(velocita)));
  const std::string_view lunghezza = riga.substr(59, 9);
  EXPECT_EQ(lunghezza.substr(6), "   ");
  EXPECT_NE(lunghezza[5], ' ');
  r.lunghezza = intero(cifre(senza_blank(lunghezza)));
  const std::string_view prescrizioni = riga.substr(69, 12);
  r.prescrizioni = std::string(senza_blank(prescrizioni));
  const size_t sinistra = prescrizioni.find_first_not_of(' ');
  EXPECT_EQ(sinistra, (12 - r.prescrizioni.size()) / 2) << "centred, an odd blank to the right";
  return r;
}

TEST(SlowdownOrder, RowsAreTheSlowdownsOfTheTrainBetweenNeighbouringStations) {
  const std::vector<std::string> righe = righe_dell_ordine();
  const std::vector<Stazione> ss = stazioni();
  const std::vector<Rallentamento> rs = rallentamenti();
  ASSERT_EQ(righe.size(), 47u);
  ASSERT_EQ(rs.size(), 5u);
  std::vector<std::string> interessate;
  for (size_t i = 0; i < rs.size(); ++i) {
    const RigaOrdine r = leggi_riga(righe[13 + i], ss);
    const Rallentamento& x = rs[i];
    SCOPED_TRACE(righe[13 + i]);
    EXPECT_EQ(r.numero, static_cast<int>(i + 1));
    EXPECT_EQ(100000 - r.km, x.x);
    EXPECT_EQ(r.velocita, x.v);
    EXPECT_EQ(r.lunghezza, x.l);
    const auto da =
        std::find_if(ss.begin(), ss.end(), [&](const Stazione& s) { return s.nome == r.da; });
    ASSERT_NE(da, ss.end());
    ASSERT_NE(da + 1, ss.end());
    const Stazione& a = *(da + 1);
    // The slowdown begins on the line between the two stations.
    EXPECT_GE(x.x, da->fine());
    EXPECT_LT(x.x, a.inizio());
    // Prescription A always, B exactly where the slowdown reaches into the
    // next station's area.
    const bool interessa = x.x + x.l > a.inizio();
    EXPECT_TRUE(r.prescrizioni.starts_with("A")) << r.prescrizioni;
    EXPECT_EQ(r.prescrizioni.find('B') != std::string::npos, interessa) << r.prescrizioni;
    for (char c : r.prescrizioni)
      EXPECT_NE(std::string_view("A-BD").find(c), std::string_view::npos);
    if (interessa) interessate.push_back(r.a);
  }
  // Slowdowns 2 and 3 lie between the same two stations, and the third reaches
  // into the station that prescription B names.
  EXPECT_EQ(leggi_riga(righe[14], ss).da, leggi_riga(righe[15], ss).da);
  ASSERT_EQ(interessate.size(), 1u);
  EXPECT_EQ(leggi_riga(righe[15], ss).a, interessate.front());
  EXPECT_EQ(righe[43], " B - Interessa anche la stazione di " + interessate.front());
}

}  // namespace
}  // namespace scenario
