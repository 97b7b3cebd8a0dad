#include "compiler/compiled_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

namespace scenario {
namespace {

TEST(TipoDaNome, TellsTheKindFromTheSuffix) {
  const struct {
    const char* nome;
    bool riconosciuto;
    TipoFileCompilato tipo;
  } casi[] = {
      {"BELFORTE SELVEN - MELAR_linea.dat", true, TipoFileCompilato::kLinea},
      {"dir/BELFORTE SELVEN - MELAR_8312.sim", true, TipoFileCompilato::kScenario},
      {"BELFORTE SELVEN - MELAR_8312.dat", true, TipoFileCompilato::kPercorso},
      {"linea.dat", true,
       TipoFileCompilato::kPercorso},  // no "_" before it: a grid of a line called "linea"
      {"X_8312-.txt", false, TipoFileCompilato::kLinea},
      {"X.sim.bak", false, TipoFileCompilato::kLinea},
  };
  for (const auto& caso : casi) {
    TipoFileCompilato tipo = TipoFileCompilato::kLinea;
    EXPECT_EQ(tipo_da_nome(caso.nome, &tipo), caso.riconosciuto) << caso.nome;
    if (caso.riconosciuto) {
      EXPECT_EQ(tipo, caso.tipo) << caso.nome;
    }
  }
}

// The field lists walk every member of the tables' records, in the order
// and with the widths of the files.
TEST(VisitaCampi, WalksElevenCellFieldsAndSixteenEntryFieldsInTheirOrder) {
  std::vector<std::string> nomi;
  size_t byte = 0;
  CellaPercorso cella;
  visita_campi(cella, [&](CampoCella campo, auto& valore) {
    EXPECT_EQ(static_cast<size_t>(campo), nomi.size());
    nomi.emplace_back(descrizione(campo).nome);
    byte += byte_tipo_disco(tipo_disco<std::remove_cvref_t<decltype(valore)>>());
    valore = {};
  });
  EXPECT_EQ(nomi.size(), 11u);
  EXPECT_EQ(byte, kByteCella);
  EXPECT_EQ(kByteCella, 15u);

  nomi.clear();
  byte = 0;
  VoceRegistro voce;
  visita_campi(voce, [&](CampoVoce campo, const auto& valore) {
    EXPECT_EQ(static_cast<size_t>(campo), nomi.size());
    nomi.emplace_back(descrizione(campo).nome);
    byte += byte_tipo_disco(tipo_disco<std::remove_cvref_t<decltype(valore)>>());
  });
  EXPECT_EQ(nomi,
            (std::vector<std::string>{"tipo", "inizio", "fine", "progressiva", "campo_4", "nome",
                                      "campo_7", "campo_8", "campo_10", "campo_11", "campo_12",
                                      "campo_9", "campo_13", "campo_6", "campo_5", "orario"}));
  EXPECT_EQ(byte, kByteVoceSenzaTesto);
}

TEST(DimensioniFile, TheSmallestAndTheLargestFileOfEachKind) {
  const struct {
    TipoFileCompilato tipo;
    uint64_t minima;
    uint64_t massima;
  } casi[] = {
      // 7001 points never computed; 1007001 points fully built: 20 N - 36.
      {TipoFileCompilato::kLinea, 2 * 7001 * 2, 20 * uint64_t{1007000} - 36},
      // 87 entries of 34 bytes, with no text or with texts of 65535 bytes.
      {TipoFileCompilato::kScenario, 87 * 34, 87 * (34 + uint64_t{65535})},
      // 141 to 20141 cells of 15 bytes.
      {TipoFileCompilato::kPercorso, 141 * 15, 20141 * 15},
  };
  for (const auto& caso : casi) {
    EXPECT_EQ(dimensione_minima(caso.tipo), caso.minima) << nome_file_compilato(caso.tipo);
    EXPECT_EQ(dimensione_massima(caso.tipo), caso.massima) << nome_file_compilato(caso.tipo);
  }
  EXPECT_EQ(byte_linea_completa(107000), 2139964u) << "the package's 100 km line";
}

TEST(DescrizioneEtichetta, KnowsTheThreeTagsAndNoOther) {
  for (const DescrizioneEtichetta& d : kEtichette) {
    EXPECT_EQ(descrizione_etichetta(static_cast<uint16_t>(d.etichetta)), &d);
  }
  EXPECT_EQ(descrizione_etichetta(uint16_t{3}), nullptr);
  EXPECT_EQ(descrizione_etichetta(EtichettaPunto::kReale64).byte_valore, 8u);
}

}  // namespace
}  // namespace scenario
