// The authors' format reference (docs/formats.md) shows the three compiled
// files' layouts as tables. Every table of its section "The compiled files"
// is made here from the field lists and the meaning tables, and must stand
// in the document exactly so: a field or a meaning changed in the code and
// not in the document fails this test, which prints the tables as they
// must read.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "compiler/compiled_layout.h"
#include "compiler/compiled_meaning.h"

namespace scenario {
namespace {

const CellaPercorso kCella{};
const VoceRegistro kVoce{};

std::string codice(std::string_view nome) { return "`" + std::string(nome) + "`"; }

std::string riga(const std::vector<std::string>& celle) {
  std::string testo = "|";
  for (const std::string& c : celle) testo += " " + c + " |";
  return testo + "\n";
}

std::string intestazione(const std::vector<std::string>& celle) {
  std::string testo = riga(celle) + "|";
  for (size_t i = 0; i < celle.size(); ++i) testo += "---|";
  return testo + "\n";
}

// How a field reads, in words.
std::string descrivi(const SignificatoCampo& s) {
  if (s.significato.empty()) return "—";
  const std::string sig(s.significato);
  const std::string unita(s.unita);
  switch (s.conversione) {
    case Conversione::kNumero:
      return unita.empty() ? sig : sig + ", " + unita;
    case Conversione::kPer5:
      return sig + ", in units of 5 " + unita;
    case Conversione::kMeno100:
      return sig + " in " + unita + ", plus 100";
    case Conversione::kOrario:
      return sig + ", seconds since midnight";
    case Conversione::kCoppia10:
      return sig + ": " + std::string(s.parti[0]) + " × 10 + " + std::string(s.parti[1]);
    case Conversione::kCoppia20:
      return sig + ": " + std::string(s.parti[0]) + " × 20 + " + std::string(s.parti[1]) +
             " / 5, " + unita;
    case Conversione::kTipoCella:
      return sig + ", by the table of cell kinds";
    case Conversione::kTesto:
      return sig + ", text";
  }
  return sig;
}

std::string tabella_griglia() {
  std::string t = intestazione({"offset", "field", "disk type", "holds"});
  size_t posizione = 0;
  visita_campi(kCella, [&](CampoCella campo, const auto& valore) {
    const TipoDisco tipo = tipo_disco<std::remove_cvref_t<decltype(valore)>>();
    t += riga({std::to_string(posizione), codice(descrizione(campo).nome),
               std::string(nome_tipo_disco(tipo)), std::string(descrizione(campo).contenuto)});
    posizione += byte_tipo_disco(tipo);
  });
  return t;
}

std::string tabella_tipi_cella() {
  std::string t = intestazione({"`tipo`", "kind", "`valore_1`", "`valore_2`", "`valore_3`",
                                "`valore_4`", "`tempo_segnale`", "record position"});
  for (const SignificatoTipoCella& k : tipi_cella()) {
    const char* posizione = k.posizione == PosizioneRecord::kCellaPrima ? "(cell − 1) × 50 m"
                            : k.posizione == PosizioneRecord::kCella    ? "cell × 50 m"
                                                                        : "—";
    t += riga({std::to_string(static_cast<int>(k.tipo)), std::string(k.nome), descrivi(k.valori[0]),
               descrivi(k.valori[1]), descrivi(k.valori[2]), descrivi(k.valori[3]),
               descrivi(k.tempo_segnale), posizione});
  }
  return t;
}

std::string tabella_campi_fissi() {
  std::string t = intestazione({"field", "reads as"});
  visita_campi(kCella, [&](CampoCella campo, const auto&) {
    const SignificatoCampo s = significato_fisso(campo);
    if (!s.significato.empty()) t += riga({codice(descrizione(campo).nome), descrivi(s)});
  });
  t += riga({"cell 1 `valore_1`", descrivi(kTimbroCella)});
  t += riga({"cell 1 `valore_2`", descrivi(kCodiceOg)});
  return t;
}

std::string tabella_voce() {
  std::string t = intestazione({"#", "field", "disk type", "bytes"});
  int numero = 1;
  visita_campi(kVoce, [&](CampoVoce campo, const auto& valore) {
    const TipoDisco tipo = tipo_disco<std::remove_cvref_t<decltype(valore)>>();
    const std::string byte = tipo == TipoDisco::kTesto
                                 ? std::to_string(byte_tipo_disco(tipo)) + " + length"
                                 : std::to_string(byte_tipo_disco(tipo));
    t += riga({std::to_string(numero++), codice(descrizione(campo).nome),
               tipo == TipoDisco::kTesto ? "text: 2-byte length, then the characters"
                                         : std::string(nome_tipo_disco(tipo)),
               byte});
  });
  return t;
}

std::string tabella_usi_voce() {
  std::vector<std::string> testa{"field"};
  for (const SignificatoUsoVoce& uso : usi_voce()) {
    if (uso.uso != UsoVoce::kNessuno) testa.emplace_back(uso.nome);
  }
  std::string t = intestazione(testa);
  visita_campi(kVoce, [&](CampoVoce campo, const auto&) {
    std::vector<std::string> celle{codice(descrizione(campo).nome)};
    for (const SignificatoUsoVoce& uso : usi_voce()) {
      if (uso.uso != UsoVoce::kNessuno)
        celle.push_back(descrivi(uso.campi[static_cast<size_t>(campo)]));
    }
    t += riga(celle);
  });
  return t;
}

std::string tabella_etichette() {
  std::string t = intestazione({"tag", "value", "bytes after the tag", "holds"});
  for (const DescrizioneEtichetta& e : kEtichette) {
    t += riga({std::to_string(static_cast<int>(e.etichetta)), std::string(e.nome),
               std::to_string(e.byte_valore), std::string(e.contenuto)});
  }
  return t;
}

std::string tabella_dimensioni() {
  std::string t = intestazione({"file", "smallest", "largest"});
  for (TipoFileCompilato tipo :
       {TipoFileCompilato::kLinea, TipoFileCompilato::kScenario, TipoFileCompilato::kPercorso}) {
    t += riga({std::string(nome_file_compilato(tipo)), std::to_string(dimensione_minima(tipo)),
               std::to_string(dimensione_massima(tipo))});
  }
  return t;
}

std::string sezione_file_compilati() {
  std::ifstream in(std::string(BM_DOCS_DIR) + "/formats.md", std::ios::binary);
  const std::string documento(std::istreambuf_iterator<char>(in), {});
  const std::string titolo = "\n## The compiled files\n";
  const size_t inizio = documento.find(titolo);
  if (inizio == std::string::npos) return "";
  const size_t fine = documento.find("\n## ", inizio + titolo.size());
  return documento.substr(inizio, fine == std::string::npos ? std::string::npos : fine - inizio);
}

TEST(FormatReference, ShowsTheCompiledFilesAsTheFieldListsHoldThem) {
  const std::string sezione = sezione_file_compilati();
  ASSERT_FALSE(sezione.empty()) << "docs/formats.md has no section \"## The compiled files\"";
  const std::vector<std::string> tabelle = {
      tabella_etichette(),  tabella_voce(),        tabella_usi_voce(),   tabella_griglia(),
      tabella_tipi_cella(), tabella_campi_fissi(), tabella_dimensioni(),
  };
  std::string attese;
  size_t righe_di_tabella = 0;
  for (const std::string& tabella : tabelle) {
    EXPECT_NE(sezione.find(tabella), std::string::npos) << "missing or different:\n" << tabella;
    attese += tabella + "\n";
    righe_di_tabella += static_cast<size_t>(std::count(tabella.begin(), tabella.end(), '\n'));
  }
  // No other table stands in the section: a stale one would be shown to
  // authors unchecked.
  std::istringstream righe(sezione);
  size_t trovate = 0;
  for (std::string r; std::getline(righe, r);) trovate += r.rfind("|", 0) == 0 ? 1 : 0;
  EXPECT_EQ(trovate, righe_di_tabella) << "the tables, as they must read:\n" << attese;
}

}  // namespace
}  // namespace scenario
