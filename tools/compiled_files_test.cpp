#include "compiled_files.h"

#include <gtest/gtest.h>

#include "util/compiled_bytes_test_util.h"

namespace scenario {
namespace {

using test::Byte;

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

TEST(DecodificaPercorso, ReadsEveryFieldOfEveryCellLittleEndianWithItsSign) {
  std::vector<CellaPercorso> celle;
  ASSERT_TRUE(decodifica_percorso(test::griglia_di_prova(141), &celle).ok());
  ASSERT_EQ(celle.size(), 141u);
  EXPECT_EQ(celle[1].valore_1, 5121);
  EXPECT_EQ(celle[1].valore_2, 2496);
  const CellaPercorso& s = celle[5];
  EXPECT_EQ(s.tipo, TipoCella::kSegnale);
  EXPECT_EQ(s.valore_1, 30);
  EXPECT_EQ(s.valore_2, 40);
  EXPECT_EQ(s.valore_3, -2);
  EXPECT_EQ(s.valore_4, 6);
  EXPECT_EQ(s.tempo_segnale, 230);
  EXPECT_EQ(s.avviso, 64);
  EXPECT_EQ(s.montagna, 2);
  EXPECT_EQ(s.velocita_max, 28);
  EXPECT_EQ(s.pendenza, 118);
  EXPECT_EQ(s.aderenza, 255);
  EXPECT_EQ(celle[6].valore_1, -32768);
  EXPECT_EQ(celle[6].valore_2, 32767);
}

TEST(DecodificaPercorso, RefusesASizeThatIsNoGrid) {
  const struct {
    std::string byte;
    const char* messaggio;
  } casi[] = {
      {test::griglia_di_prova(141).substr(1),
       "not a whole number of 15-byte cells (140 cells and 14 bytes)"},
      {test::griglia_di_prova(140), "holds 140 cells; a compiled route grid holds 141 to 20141"},
      {test::griglia_di_prova(20142), "holds 20142 cells"},
      {"", "holds 0 cells"},
  };
  for (const auto& caso : casi) {
    std::vector<CellaPercorso> celle(3);
    const Status status = decodifica_percorso(caso.byte, &celle);
    ASSERT_FALSE(status.ok());
    EXPECT_NE(status.message().find(caso.messaggio), std::string::npos) << status.message();
    EXPECT_EQ(celle.size(), 3u) << "a refused file leaves the result alone";
  }
  std::vector<CellaPercorso> celle;
  EXPECT_TRUE(decodifica_percorso(test::griglia_di_prova(20141), &celle).ok());
}

TEST(DecodificaScenario, WalksTheEntriesByTheirTextLengths) {
  RegistroCompilato registro;
  ASSERT_TRUE(decodifica_scenario(test::registro_di_prova(), &registro).ok());
  EXPECT_EQ(registro[1].tipo, 8);
  EXPECT_EQ(registro[1].inizio, -300);
  EXPECT_EQ(registro[1].nome, "BELFORTE SELVEN");
  EXPECT_EQ(registro[1].campo_7, 4);
  EXPECT_EQ(registro[1].campo_12, 1);
  EXPECT_EQ(registro[1].campo_13, 1);
  EXPECT_EQ(registro[1].orario, 62580);
  EXPECT_EQ(registro[80].nome, "(CURVA 30\xB0)(Km.1+200)");
  EXPECT_EQ(registro[85].campo_7, 610);
  EXPECT_EQ(registro[85].orario, -7);
  EXPECT_EQ(registro[86].nome, "8312");
  EXPECT_EQ(registro[86].campo_10, 17);
  EXPECT_EQ(registro[86].campo_11, 22);
}

TEST(DecodificaScenario, AnEmptyTableIs2958Bytes) {
  Byte b;
  for (int i = 0; i < 87; ++i) {
    voce_con_solo_nome(b, "");
  }
  ASSERT_EQ(b.str().size(), 2958u);
  RegistroCompilato registro;
  EXPECT_TRUE(decodifica_scenario(b.str(), &registro).ok());
}

TEST(DecodificaScenario, RefusesATruncatedOrOverlongFile) {
  const std::string buono = test::registro_di_prova();
  const struct {
    std::string byte;
    const char* messaggio;
  } casi[] = {
      {buono.substr(0, buono.size() - 1), "ends inside registro entry 86"},
      {buono + "x", "has 1 bytes after the last of the 87 registro entries"},
      {buono.substr(0, 100), "ends inside registro entry 2, which starts at byte offset 83"},
      // A text length that runs past the end of the file.
      {Byte().u8(0).i32(0).i32(0).i32(0).u8(0).u16(500).str(), "ends inside registro entry 0"},
      {"", "ends inside registro entry 0"},
  };
  for (const auto& caso : casi) {
    RegistroCompilato registro;
    const Status status = decodifica_scenario(caso.byte, &registro);
    ASSERT_FALSE(status.ok());
    EXPECT_NE(status.message().find(caso.messaggio), std::string::npos) << status.message();
  }
}

TEST(DecodificaLinea, SplitsTheXAndYSeriesAndKeepsEveryTag) {
  LineaCompilata linea;
  ASSERT_TRUE(decodifica_linea(test::linea_di_prova(7000, 6999), &linea).ok());
  ASSERT_EQ(linea.lunghezza_tracciato(), 7000);
  EXPECT_EQ(linea.x[0].etichetta, EtichettaPunto::kIntero16);
  EXPECT_EQ(linea.y[1].etichetta, EtichettaPunto::kIntero16);
  EXPECT_EQ(linea.y[1].valore, 1.0);
  EXPECT_EQ(linea.x[2].etichetta, EtichettaPunto::kReale64);
  EXPECT_EQ(linea.x[2].valore, 1 / 1024.0);
  EXPECT_EQ(linea.y[6998].valore, 6997.75);
  EXPECT_EQ(linea.x[6999].etichetta, EtichettaPunto::kVuoto);
  EXPECT_EQ(linea.y[7000].etichetta, EtichettaPunto::kVuoto);
  // Fully built, the file has 20 N - 36 bytes.
  EXPECT_EQ(test::linea_di_prova(7000, 6999).size(), 20u * 7000 - 36);
}

TEST(DecodificaLinea, RefusesWhatIsNoPlanView) {
  const std::string buono = test::linea_di_prova(7000, 6999);
  const struct {
    std::string byte;
    const char* messaggio;
  } casi[] = {
      {buono.substr(0, buono.size() - 1), "ends inside a value tag"},
      {buono.substr(0, 20), "ends inside a 64-bit value"},
      {Byte().u16(2).u8(1).str(), "ends inside a 16-bit value"},
      {buono + Byte().u16(0).str(), "an odd number"},
      {test::linea_di_prova(6999, 6998),
       "holds 7000 points; a compiled line holds 7001 to 1007001"},
      {Byte().u16(3).i16(0).str() + buono, "value 0 at byte offset 0 has the tag 3"},
  };
  for (const auto& caso : casi) {
    LineaCompilata linea;
    const Status status = decodifica_linea(caso.byte, &linea);
    ASSERT_FALSE(status.ok());
    EXPECT_NE(status.message().find(caso.messaggio), std::string::npos) << status.message();
  }
}

}  // namespace
}  // namespace scenario
