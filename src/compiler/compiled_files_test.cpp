#include "compiler/compiled_files.h"

#include <gtest/gtest.h>

#include <bit>
#include <string>

#include "compiler/byte_writer.h"

namespace scenario {
namespace {

std::string byte(std::initializer_list<int> valori) {
  std::string risultato;
  for (int v : valori) risultato.push_back(static_cast<char>(v));
  return risultato;
}

std::string reale(double valore) {
  ScrittoreByte scrittore;
  scrittore.float64(valore);
  return scrittore.prendi();
}

TEST(CodificaPercorso, FifteenBytesPerCellFieldsInTheirOrder) {
  std::vector<CellaPercorso> percorso(3);
  CellaPercorso& c = percorso[1];
  c.tipo = TipoCella::kAbbattimentoConValore;
  c.valore_1 = 5121;
  c.valore_2 = -2;
  c.valore_3 = 0x0304;
  c.valore_4 = 0x0506;
  c.tempo_segnale = 230;
  c.avviso = 81;
  c.montagna = 3;
  c.velocita_max = 28;
  c.pendenza = 122;
  c.aderenza = 80;
  const std::string file = codifica_percorso(percorso);
  ASSERT_EQ(file.size(), 3 * kByteCella);
  EXPECT_EQ(file.substr(0, 15), std::string(15, '\0'));
  EXPECT_EQ(file.substr(15, 15),
            byte({12, 0x01, 0x14, 0xFE, 0xFF, 0x04, 0x03, 0x06, 0x05, 230, 81, 3, 28, 122, 80}));
  EXPECT_EQ(file.substr(16, 2), byte({0x01, 0x14}));  // the stamp 5121 at offset 16
  EXPECT_EQ(file.substr(30, 15), std::string(15, '\0'));
}

TEST(CodificaRegistro, AnEntryIs34BytesPlusItsText) {
  std::array<VoceRegistro, kVociRegistro> registro{};
  EXPECT_EQ(codifica_registro(registro), std::string(2958, '\0'));

  VoceRegistro& v = registro[0];
  v.tipo = 1;
  v.inizio = 0x01020304;
  v.fine = -1;
  v.progressiva = 100100;
  v.campo_4 = 5;
  v.nome = "A\xB0";
  v.campo_7 = 610;
  v.campo_8 = -3;
  v.campo_10 = 17;
  v.campo_11 = 22;
  v.campo_12 = 0x0102;
  v.campo_9 = 9;
  v.campo_13 = 13;
  v.campo_6 = 6;
  v.campo_5 = 255;
  v.orario = 28903;
  const std::string file = codifica_registro(registro);
  ASSERT_EQ(file.size(), 2958u + 2);
  EXPECT_EQ(file.substr(0, 36),
            byte({1,    0x04, 0x03, 0x02, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0x04, 0x87, 0x01,
                  0x00, 5,    0x02, 0x00, 'A',  0xB0, 0x62, 0x02, 0xFD, 0xFF, 17,   0,
                  22,   0,    0x02, 0x01, 9,    13,   6,    255,  0xE7, 0x70, 0,    0}));
}

TEST(CodificaRegistro, TheNamesShiftTheEntriesAfterThem) {
  std::array<VoceRegistro, kVociRegistro> registro{};
  registro[kVoceLinea].nome = "BELFORTE SELVEN - MELAR";
  registro[kVoceTreno].nome = "8312";
  const std::string file = codifica_registro(registro);
  ASSERT_EQ(file.size(), 2958u + 23 + 4);
  EXPECT_EQ(file.substr(85 * 34 + 14, 25), byte({23, 0}) + "BELFORTE SELVEN - MELAR");
  const size_t voce_86 = 85 * 34 + 34 + 23;
  EXPECT_EQ(file.substr(voce_86 + 14, 6), byte({4, 0}) + "8312");
}

TEST(CodificaRegistro, ATextTooLongForItsLengthKeepsWhatTheLengthCounts) {
  std::array<VoceRegistro, kVociRegistro> registro{};
  registro[80].nome = std::string(70000, 'x');
  const std::string file = codifica_registro(registro);
  ASSERT_EQ(file.size(), 2958u + 65535);
  EXPECT_EQ(file.substr(80 * 34 + 14, 3), byte({0xFF, 0xFF, 'x'}));
  EXPECT_EQ(file.substr(80 * 34 + 16 + 65535), std::string(18 + 6 * 34, '\0'));
}

// Points 0 to 10: the origin, points 2 up to `calcolati` computed.
Tracciato tracciato_fino_a(int32_t calcolati) {
  Tracciato tracciato;
  tracciato.crea(10);
  tracciato.imposta_origine();
  for (int32_t m = 2; m <= calcolati; ++m) tracciato.aggiungi_punto(0.003 * m, m - 0.25);
  return tracciato;
}

TEST(CodificaLinea, TheXSeriesThenTheYSeriesEachValueTagged) {
  const std::string file = codifica_linea(tracciato_fino_a(8));
  const size_t n = 10;
  ASSERT_EQ(file.size(), 20 * n - 36);
  EXPECT_EQ(file.substr(0, 8), byte({2, 0, 0, 0, 2, 0, 0, 0}));     // x(0), x(1)
  EXPECT_EQ(file.substr(8, 10), byte({5, 0}) + reale(0.003 * 2));   // x(2)
  EXPECT_EQ(file.substr(68, 10), byte({5, 0}) + reale(0.003 * 8));  // x(8)
  // The two empty x values right before the first y value, the int16 0.
  EXPECT_EQ(file.substr(78, 8), byte({0, 0, 0, 0, 2, 0, 0, 0}));
  EXPECT_EQ(file.substr(86, 4), byte({2, 0, 1, 0}));  // y(1) = 1
  EXPECT_EQ(file.substr(90, 10), byte({5, 0}) + reale(1.75));
  EXPECT_EQ(file.substr(160), byte({0, 0, 0, 0}));
}

TEST(CodificaLinea, PointsNeverComputedAreEmptyAndTheFileShorter) {
  // Points 2 to 4 computed, 5 to 10 empty: 2 x (2 x 4 + 3 x 10 + 6 x 2).
  EXPECT_EQ(codifica_linea(tracciato_fino_a(4)).size(), 100u);
  // The origin never set: 22 empty values.
  Tracciato vuoto;
  vuoto.crea(10);
  EXPECT_EQ(codifica_linea(vuoto), std::string(44, '\0'));
  // No plan view at all: no bytes.
  EXPECT_EQ(codifica_linea(Tracciato()), "");
}

TEST(CodificaLinea, AHundredKilometreLineTakes2139964Bytes) {
  Tracciato tracciato;
  tracciato.crea(107000);
  tracciato.imposta_origine();
  for (int32_t m = 2; m <= 106998; ++m) tracciato.aggiungi_punto(0.0, m);
  EXPECT_EQ(codifica_linea(tracciato).size(), 2139964u);
}

}  // namespace
}  // namespace scenario
