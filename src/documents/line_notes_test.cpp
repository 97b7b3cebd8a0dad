#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_names.h"
#include "base/line_list.h"
#include "base/memory_file_system.h"
#include "content/line_source.h"
#include "documents/crew_documents.h"
#include "util/document_test_util.h"

namespace scenario {
namespace {

using namespace test;

// The notes file exactly as dati_note leaves it, cut into lines.
std::vector<std::string> righe_note() { return righe_scritte(dati_note, &NomiFile::note); }

// File line `numero`, counted from 1 as the layout counts it.
const std::string& riga(const std::vector<std::string>& righe, size_t numero) {
  return righe.at(numero - 1);
}

size_t blanks_iniziali(std::string_view riga) {
  const size_t primo = riga.find_first_not_of(' ');
  return primo == std::string_view::npos ? riga.size() : primo;
}

TEST(LineNotes, WritesSeventyFiveCrLfLinesUnderTheNotesNameAndReplacesAnEarlierFile) {
  MemoryFileSystem memory;
  memory.files()[kNomi.note()] = std::string(20000, 'x');
  ASSERT_TRUE(dati_note(memory, kNomi).ok());
  EXPECT_EQ(kNomi.note(), componi_nome("app", {"BELFORTE SELVEN - MELAR_8312_note.txt"}));

  const std::string& testo = memory.files().at(kNomi.note());
  EXPECT_EQ(std::count(testo.begin(), testo.end(), '\n'), 75);
  EXPECT_EQ(std::count(testo.begin(), testo.end(), '\r'), 75);
  EXPECT_EQ(testo.find(kFineLista), std::string::npos);
  EXPECT_EQ(testo.find('x'), std::string::npos);
  // The sheet closes with nine bare CR LF after the e-mail line.
  std::string chiusura = "EXAMPLE.ORG\r\n";
  for (int i = 0; i < 9; ++i) chiusura += "\r\n";
  EXPECT_TRUE(testo.ends_with(chiusura));
}

TEST(LineNotes, SectionsSitOnTheirLines) {
  const auto righe = righe_note();
  ASSERT_EQ(righe.size(), 75u);

  EXPECT_EQ(riga(righe, 1),
            std::string(25, ' ') + "CENNI STORICI DELLA FERROVIA BELFORTE SELVEN - MELAR");
  EXPECT_EQ(blanks_iniziali(riga(righe, 47)), 9u);
  EXPECT_GT(riga(righe, 47).size(), 9u);
  EXPECT_EQ(riga(righe, 46), "   ");

  // Blank lines separate only the sections: none inside a section.
  for (size_t numero = 1; numero <= 75; ++numero) {
    const bool vuota = numero == 24 || numero == 32 || numero >= 67;
    EXPECT_EQ(riga(righe, numero).empty(), vuota) << "line " << numero;
  }

  // The history ends by setting the old line's curves and gradients against
  // the new line's.
  const std::string fine_storia = riga(righe, 22) + riga(righe, 23);
  EXPECT_NE(fine_storia.find("RAGGIO MINIMO"), std::string::npos);
  EXPECT_NE(fine_storia.find("PER MILLE."), std::string::npos);
  EXPECT_NE(fine_storia.find("NUOVA"), std::string::npos);

  // Telephone, fax and web address on one line, the e-mail address far to the right below.
  const std::string& contatti = riga(righe, 65);
  for (const char* voce : {"TEL.", "FAX", "WWW.EXAMPLE.ORG"}) {
    EXPECT_NE(contatti.find(voce), std::string::npos) << voce;
  }
  EXPECT_GE(blanks_iniziali(riga(righe, 66)), 40u);
  EXPECT_NE(riga(righe, 66).find("@EXAMPLE.ORG"), std::string::npos);
}

TEST(LineNotes, TypedInCapitalAsciiUpTo106CharactersAndNeverFolded) {
  const auto righe = righe_note();
  ASSERT_EQ(righe.size(), 75u);
  size_t piu_lunga = 0;
  size_t oltre_80 = 0;
  for (size_t numero = 1; numero <= righe.size(); ++numero) {
    const std::string& testo = riga(righe, numero);
    piu_lunga = std::max(piu_lunga, testo.size());
    if (testo.size() > 80) ++oltre_80;
    for (const char c : testo) {
      EXPECT_TRUE(c >= ' ' && c <= '~') << "line " << numero << " byte " << int(c);
      EXPECT_FALSE(c >= 'a' && c <= 'z') << "line " << numero << ": " << testo;
    }
    if (testo.find_first_not_of(' ') != std::string::npos) {
      EXPECT_NE(testo.back(), ' ') << "no trailing blanks on line " << numero;
    }
  }
  EXPECT_EQ(piu_lunga, 106u);
  EXPECT_GT(oltre_80, 20u);

  // Accents follow their vowel as an apostrophe, and the typist's letter O
  // stands for zero in some figures ("1OO KM") while others keep the digit.
  std::string tutto;
  for (const auto& testo : righe) tutto += testo + "\n";
  EXPECT_NE(tutto.find("PIU'"), std::string::npos);
  EXPECT_NE(tutto.find("E'"), std::string::npos);
  const auto o_per_zero = [&] {
    for (size_t i = 1; i < tutto.size(); ++i) {
      if (tutto[i] == 'O' && tutto[i - 1] >= '1' && tutto[i - 1] <= '9') return true;
    }
    return false;
  };
  EXPECT_TRUE(o_per_zero());
  EXPECT_NE(tutto.find('0'), std::string::npos);
}

TEST(LineNotes, EveryTextLineOpensWithTwoBlanksSaveTheTitlesAndTheRunOns) {
  const auto righe = righe_note();
  ASSERT_EQ(righe.size(), 75u);
  for (size_t numero = 1; numero <= righe.size(); ++numero) {
    const std::string& testo = riga(righe, numero);
    if (testo.find_first_not_of(' ') == std::string::npos) continue;
    if (numero == 1 || numero == 35 || numero == 47 || numero == 66) continue;
    EXPECT_EQ(blanks_iniziali(testo), 2u) << "line " << numero << ": " << testo;
  }
}

TEST(LineNotes, AcknowledgementsStandInTwoColumns) {
  const auto righe = righe_note();
  ASSERT_EQ(righe.size(), 75u);
  for (size_t numero : {33u, 34u}) {
    const std::string& testo = riga(righe, numero);
    ASSERT_GT(testo.size(), 53u) << "line " << numero;
    EXPECT_EQ(blanks_iniziali(testo), 2u) << "line " << numero;
    // Name from column 3, at least one blank, contribution from column 53.
    EXPECT_NE(testo[2], ' ') << "line " << numero;
    EXPECT_EQ(testo[51], ' ') << "line " << numero;
    EXPECT_NE(testo[52], ' ') << "line " << numero;
  }
  EXPECT_EQ(blanks_iniziali(riga(righe, 35)), 54u);
  EXPECT_GT(riga(righe, 35).size(), 54u);
}

TEST(LineNotes, ActivitiesAreTheSevenDashedLines) {
  const auto righe = righe_note();
  ASSERT_EQ(righe.size(), 75u);
  for (size_t numero = 1; numero <= righe.size(); ++numero) {
    const bool voce = numero >= 53 && numero <= 59;
    EXPECT_EQ(riga(righe, numero).starts_with("  - "), voce) << "line " << numero;
    EXPECT_EQ(riga(righe, numero).starts_with("  -"), voce) << "line " << numero;
  }
}

// One lettered board: the structure's name (its lines of lettering but the
// last, joined by one blank), its length in metres and its chainage.
struct Cartello {
  std::string nome;
  std::string metri;  // empty on the summit board
  std::string km;
};

std::string senza_blank_finali(std::string testo) {
  testo.erase(testo.find_last_not_of(' ') + 1);
  return testo;
}

// The boards of the line source text: "cartello_indicatore,  13100,   (CULMINE  )(Km.86+857)".
std::vector<Cartello> cartelli_della_linea() {
  std::vector<Cartello> cartelli;
  const ListaRighe righe = righe_linea();
  for (size_t i = 0; i < righe_prima_del_marcatore(righe); ++i) {
    const std::string_view riga_linea = righe[i];
    if (!riga_linea.starts_with("cartello_indicatore,")) continue;
    std::string_view scritta =
        riga_linea.substr(riga_linea.find(',', riga_linea.find(',') + 1) + 1);
    std::vector<std::string> gruppi;
    for (size_t aperta; (aperta = scritta.find('(')) != std::string_view::npos;) {
      const size_t chiusa = scritta.find(')', aperta);
      gruppi.push_back(
          senza_blank_finali(std::string(scritta.substr(aperta + 1, chiusa - aperta - 1))));
      scritta.remove_prefix(chiusa + 1);
    }
    if (gruppi.size() < 2) {
      ADD_FAILURE() << "board without a name and a figure: " << riga_linea;
      continue;
    }
    Cartello cartello;
    for (size_t g = 0; g + 1 < gruppi.size(); ++g) {
      cartello.nome += (g == 0 ? "" : " ") + gruppi[g];
    }
    const std::string& cifre = gruppi.back();  // "Mt.140 Km.95+278" or "Km.86+857"
    if (cifre.starts_with("Mt.")) cartello.metri = cifre.substr(3, cifre.find(' ') - 3);
    cartello.km = cifre.substr(cifre.find("Km.") + 3);
    cartelli.push_back(cartello);
  }
  return cartelli;
}

// The notes as running text: every line without its indent, joined by one
// blank, so that a name broken over two lines reads whole.
std::string testo_continuo() {
  std::string testo;
  for (const auto& riga_note : righe_note()) {
    const size_t primo = riga_note.find_first_not_of(' ');
    if (primo == std::string::npos) continue;
    testo += riga_note.substr(primo) + " ";
  }
  return testo;
}

// The typist's figures: the letter O stands for zero. In running text an O
// is a zero only right after a digit ("1OO KM", "52O"), never in a word.
std::string cifre_di(std::string testo) {
  for (size_t i = 1; i < testo.size(); ++i) {
    if (testo[i] == 'O' && testo[i - 1] >= '0' && testo[i - 1] <= '9') testo[i] = '0';
  }
  return testo;
}

constexpr std::string_view kTipiOpera[] = {"GALLERIA ", "GALERIA ", "VIADOTTO ", "PONTE "};

TEST(LineNotes, StructuresGoByTheNamesAndLengthsOfTheirBoards) {
  const std::vector<Cartello> cartelli = cartelli_della_linea();
  ASSERT_FALSE(cartelli.empty());
  const std::string testo = testo_continuo();

  // Every "(M. 52O)" follows a kind and a name that a board letters with
  // that very length.
  size_t opere = 0;
  for (size_t misura = 0; (misura = testo.find("(M. ", misura)) != std::string::npos; ++misura) {
    ++opere;
    const std::string metri =
        cifre_di(testo.substr(misura + 4, testo.find(')', misura) - misura - 4));
    std::optional<size_t> inizio;
    for (std::string_view tipo : kTipiOpera) {
      const size_t trovato = testo.rfind(tipo, misura);
      if (trovato != std::string::npos && (!inizio || trovato > *inizio)) inizio = trovato;
    }
    ASSERT_TRUE(inizio.has_value()) << "a length with no structure before it";
    const std::string nome = testo.substr(*inizio, misura - 1 - *inizio);
    EXPECT_EQ(nome.find_first_of(",;:("), std::string::npos)
        << "no structure named before " << testo.substr(misura, 10);
    const bool sul_cartello = std::any_of(cartelli.begin(), cartelli.end(), [&](const Cartello& c) {
      return c.nome == nome && c.metri == metri;
    });
    EXPECT_TRUE(sul_cartello) << nome << " of " << metri << " m is lettered on no board";
  }
  EXPECT_GE(opere, 5u);

  // A structure mentioned by name always carries its length; only the
  // generic mentions ("GALLERIA DI BASE", "PONTE PROVVISORIO") go without.
  for (std::string_view tipo : kTipiOpera) {
    for (size_t at = 0; (at = testo.find(tipo, at)) != std::string::npos; ++at) {
      if (at > 0 && testo[at - 1] != ' ' && testo[at - 1] != '\'') continue;
      const size_t fine = testo.find_first_of(",;:(", at);
      const std::string resto = testo.substr(at + tipo.size());
      if (fine != std::string::npos && testo.compare(fine, 4, "(M. ") == 0) continue;
      EXPECT_TRUE(resto.starts_with("DI ") || resto.starts_with("PROVVISORIO "))
          << "named without its length: " << testo.substr(at, 40);
    }
  }

  // The summit by the chainage on its board.
  const auto culmine = std::find_if(cartelli.begin(), cartelli.end(),
                                    [](const Cartello& c) { return c.nome == "CULMINE"; });
  ASSERT_NE(culmine, cartelli.end());
  size_t culmini = 0;
  for (size_t at = 0; (at = testo.find("CULMINE DEL KM ", at)) != std::string::npos; ++at) {
    ++culmini;
    const size_t cifra = at + std::string_view("CULMINE DEL KM ").size();
    EXPECT_EQ(cifre_di(testo.substr(cifra, testo.find_first_of(" ,.;", cifra) - cifra)),
              culmine->km);
  }
  EXPECT_GE(culmini, 1u);
}

TEST(LineNotes, TheOldLinesFiguresAreTheRoutes) {
  const ListaRighe righe = righe_linea();
  int pendenza_massima = -1;
  int classe_massima = 0;
  for (size_t i = 0; i < righe_prima_del_marcatore(righe); ++i) {
    const std::string riga_linea(righe[i]);
    if (riga_linea.starts_with("pendenza,")) {
      const int pendenza = std::atoi(riga_linea.c_str() + riga_linea.rfind(',') + 1);
      pendenza_massima = std::max(pendenza_massima, std::abs(pendenza));
    } else if (riga_linea.starts_with("curva") && riga_linea.size() > 6) {
      classe_massima = std::max(classe_massima, riga_linea[6] - '0');
    }
  }
  ASSERT_GE(pendenza_massima, 0);
  ASSERT_GT(classe_massima, 0);
  const std::string testo = cifre_di(testo_continuo());
  // The sharpest curve the route editor offers stands for the old line's 300 m.
  static constexpr int kRaggi[] = {0, 10000, 5000, 2500, 1000, 500, 333};
  ASSERT_LE(classe_massima, 6);
  EXPECT_NE(testo.find("DIVENTATE DA " + std::to_string(kRaggi[classe_massima]) + " M"),
            std::string::npos);
  EXPECT_NE(testo.find("PENDENZE FINO AL " + std::to_string(pendenza_massima) + " PER MILLE"),
            std::string::npos);
}

}  // namespace
}  // namespace scenario
