#include "compiler/compiled_files.h"

#include <gtest/gtest.h>

#include <bit>
#include <string>

#include "compiler/byte_writer.h"
#include "util/compiled_bytes_test_util.h"

namespace scenario {
namespace {

using test::Byte;

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

// A sink that keeps the pieces it is handed, and can refuse the n-th.
class SinkAPezzi : public ByteSink {
 public:
  explicit SinkAPezzi(int rifiuta = -1) : rifiuta_(rifiuta) {}
  Status Append(std::string_view byte) override {
    if (static_cast<int>(pezzi.size()) == rifiuta_) return Status::Error("disk full");
    pezzi.emplace_back(byte);
    return Status::OK();
  }
  std::string tutto() const {
    std::string t;
    for (const std::string& p : pezzi) t += p;
    return t;
  }
  std::vector<std::string> pezzi;

 private:
  int rifiuta_;
};

TEST(ScriviLinea, HandsTheSameBytesInPiecesOfAtMost64KiB) {
  Tracciato tracciato;
  tracciato.crea(107000);
  tracciato.imposta_origine();
  for (int32_t m = 2; m <= 106998; ++m) tracciato.aggiungi_punto(0.5 * m, m - 0.25);
  SinkAPezzi sink;
  ASSERT_TRUE(scrivi_linea(tracciato, sink).ok());
  EXPECT_EQ(sink.tutto(), codifica_linea(tracciato));
  EXPECT_GT(sink.pezzi.size(), 30u);
  for (const std::string& pezzo : sink.pezzi) EXPECT_LE(pezzo.size(), ScrittoreByte::kPezzo);

  // The sink's failure is the writer's, and nothing after it is handed over.
  SinkAPezzi pieno(3);
  const Status status = scrivi_linea(tracciato, pieno);
  EXPECT_EQ(status.message(), "disk full");
  EXPECT_EQ(pieno.pezzi.size(), 3u);
}

TEST(ScriviTabelle, TheGridAndTheRecordTableGoToASinkAsTheyAreCoded) {
  const std::vector<CellaPercorso> celle = test::celle_di_prova(20141);
  SinkAPezzi griglia;
  ASSERT_TRUE(scrivi_percorso(celle, griglia).ok());
  EXPECT_EQ(griglia.tutto(), codifica_percorso(celle));
  EXPECT_EQ(griglia.pezzi.size(), 5u) << "302115 bytes in pieces of 64 KiB";
  SinkAPezzi registro;
  ASSERT_TRUE(scrivi_registro(test::voci_di_prova(), registro).ok());
  EXPECT_EQ(registro.tutto(), test::registro_di_prova());
}

// --- Reading back ----------------------------------------------------------

TEST(DecodificaPercorso, ReadsEveryFieldOfEveryCellLittleEndianWithItsSign) {
  std::vector<CellaPercorso> celle;
  ASSERT_TRUE(decodifica_percorso(test::griglia_di_prova(141), &celle).ok());
  EXPECT_EQ(celle, test::celle_di_prova(141));
  // The fixture's bytes, as the layout puts them: the signal in cell 5.
  EXPECT_EQ(test::griglia_di_prova(141).substr(75, 15),
            byte({1, 30, 0, 40, 0, 0xFE, 0xFF, 6, 0, 230, 64, 2, 28, 118, 255}));
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
  EXPECT_EQ(registro, test::voci_di_prova());
  EXPECT_EQ(registro[80].nome, "(CURVA 30\xB0)(Km.1+200)");

  Byte vuoto;
  for (int i = 0; i < 87; ++i) vuoto.record(VoceRegistro{});
  ASSERT_EQ(vuoto.str().size(), 2958u);
  EXPECT_TRUE(decodifica_scenario(vuoto.str(), &registro).ok());
  EXPECT_EQ(registro, RegistroCompilato{});
}

TEST(DecodificaScenario, RefusesATruncatedOrOverlongFile) {
  const std::string buono = test::registro_di_prova();
  RegistroCompilato lunghissimo{};
  for (VoceRegistro& voce : lunghissimo) voce.nome = std::string(65535, 'x');
  const std::string massimo = codifica_registro(lunghissimo);
  ASSERT_EQ(massimo.size(), dimensione_massima(TipoFileCompilato::kScenario));
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
      {massimo + "x", "has 5704504 bytes, more than the 5704503 of the largest"},
  };
  for (const auto& caso : casi) {
    RegistroCompilato registro;
    const Status status = decodifica_scenario(caso.byte, &registro);
    ASSERT_FALSE(status.ok());
    EXPECT_NE(status.message().find(caso.messaggio), std::string::npos) << status.message();
  }
  RegistroCompilato registro;
  EXPECT_TRUE(decodifica_scenario(massimo, &registro).ok());
}

TEST(DecodificaLinea, SplitsTheXAndYSeriesAndKeepsEveryTag) {
  LineaCompilata linea;
  ASSERT_TRUE(decodifica_linea(test::linea_di_prova(7000, 6999), &linea).ok());
  ASSERT_EQ(linea.lunghezza_tracciato(), 7000);
  using E = EtichettaPunto;
  EXPECT_EQ(linea.x[0], (ValoreTracciato{E::kIntero16, 0.0}));
  EXPECT_EQ(linea.y[1], (ValoreTracciato{E::kIntero16, 1.0}));
  EXPECT_EQ(linea.x[2], (ValoreTracciato{E::kReale64, 1 / 1024.0}));
  EXPECT_EQ(linea.y[6998], (ValoreTracciato{E::kReale64, 6997.75}));
  EXPECT_EQ(linea.x[6999], (ValoreTracciato{E::kVuoto, 0.0}));
  EXPECT_EQ(linea.y[7000], (ValoreTracciato{E::kVuoto, 0.0}));
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
      {buono.substr(0, 20), "ends inside a value tagged float64"},
      {Byte().u16(2).u8(1).str(), "ends inside a value tagged int16"},
      {buono + Byte().u16(0).str(), "an odd number"},
      {test::linea_di_prova(6999, 6998),
       "holds 7000 points; a compiled line holds 7001 to 1007001"},
      {Byte().u16(3).i16(0).str() + buono,
       "value 0 at byte offset 0 has the tag 3; a compiled line holds only the tags 0 (empty), 2 "
       "(int16) and 5 (float64)"},
      {std::string(20139966, '\0'), "has 20139966 bytes, more than the 20139964 of the largest"},
  };
  for (const auto& caso : casi) {
    LineaCompilata linea;
    const Status status = decodifica_linea(caso.byte, &linea);
    ASSERT_FALSE(status.ok());
    EXPECT_NE(status.message().find(caso.messaggio), std::string::npos) << status.message();
  }
}

// What is written reads back as the tables it was written from, and what is
// read writes back the same bytes.
TEST(FileCompilati, EncodeDecodeAndEncodeAgain) {
  for (int32_t calcolati : {0, 2, 6999, 7001}) {
    Tracciato tracciato;
    tracciato.crea(7000);
    if (calcolati > 0) tracciato.imposta_origine();
    for (int32_t m = 2; m < calcolati; ++m) tracciato.aggiungi_punto(0.001 * m * m, m - 0.5);
    const std::string byte = codifica_linea(tracciato);
    LineaCompilata linea;
    ASSERT_TRUE(decodifica_linea(byte, &linea).ok()) << calcolati;
    for (int32_t m = 0; m <= 7000; ++m) {
      const EtichettaPunto e = tracciato.etichetta(m);
      const double x = e == EtichettaPunto::kVuoto ? 0.0 : tracciato.x(m);
      const double y = e == EtichettaPunto::kVuoto ? 0.0 : tracciato.y(m);
      ASSERT_EQ(linea.x[static_cast<size_t>(m)], (ValoreTracciato{e, x})) << m;
      ASSERT_EQ(linea.y[static_cast<size_t>(m)], (ValoreTracciato{e, y})) << m;
    }
    EXPECT_EQ(codifica_linea(linea), byte) << calcolati;
  }

  RegistroCompilato registro;
  ASSERT_TRUE(decodifica_scenario(codifica_registro(test::voci_di_prova()), &registro).ok());
  EXPECT_EQ(registro, test::voci_di_prova());
  std::vector<CellaPercorso> celle;
  ASSERT_TRUE(decodifica_percorso(codifica_percorso(test::celle_di_prova(150)), &celle).ok());
  EXPECT_EQ(celle, test::celle_di_prova(150));
}

}  // namespace
}  // namespace scenario
