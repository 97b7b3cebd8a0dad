#include "content/source_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>

#include "base/memory_file_system.h"

namespace scenario {
namespace {

const NomiFile kNomi{"app", "BELFORTE SELVEN - MELAR", "8312"};

size_t conta(const std::string& testo, std::string_view pezzo) {
  size_t n = 0;
  for (size_t i = testo.find(pezzo); i != std::string::npos; i = testo.find(pezzo, i + 1)) ++n;
  return n;
}

struct CasoTesto {
  const char* nome;
  Status (*scrivi)(FileSystem&, const NomiFile&);
  std::string (NomiFile::*nome_file)() const;
  std::string_view nome_atteso;
  size_t righe;
  size_t gradi;  // bytes 0xB0 (degree sign)
  std::string_view prima_riga_dopo_generale;
};

void PrintTo(const CasoTesto& caso, std::ostream* os) { *os << caso.nome; }

class SourceTexts : public testing::TestWithParam<CasoTesto> {};

TEST_P(SourceTexts, WritesEveryLineAsWindows1252WithCrLfAndNoMarker) {
  const CasoTesto& caso = GetParam();
  MemoryFileSystem memoria;
  ASSERT_TRUE(caso.scrivi(memoria, kNomi).ok());
  ASSERT_EQ(memoria.files().size(), 1u);
  const std::string file = (kNomi.*caso.nome_file)();
  EXPECT_TRUE(file.ends_with(caso.nome_atteso)) << file;
  ASSERT_EQ(memoria.files().count(file), 1u) << memoria.files().begin()->first;
  const std::string& testo = memoria.files().at(file);

  EXPECT_EQ(conta(testo, "\r\n"), caso.righe);
  EXPECT_EQ(std::count(testo.begin(), testo.end(), '\n'), static_cast<long>(caso.righe));
  EXPECT_EQ(std::count(testo.begin(), testo.end(), '\r'), static_cast<long>(caso.righe));
  EXPECT_TRUE(
      testo.starts_with("[generale]\r\n" + std::string(caso.prima_riga_dopo_generale) + "\r\n"));
  EXPECT_TRUE(testo.ends_with("\r\n[fine]\r\n"));
  EXPECT_EQ(testo.find("riferimento fine del file"), std::string::npos);
  EXPECT_EQ(std::count(testo.begin(), testo.end(), '\xB0'), static_cast<long>(caso.gradi));
  // The degree sign is the only byte outside ASCII, and it is one byte, not UTF-8.
  EXPECT_EQ(std::count_if(testo.begin(), testo.end(),
                          [](char c) { return static_cast<unsigned char>(c) >= 0x80; }),
            static_cast<long>(caso.gradi));
}

TEST_P(SourceTexts, ReplacesALongerFileOfAnEarlierRunWhole) {
  const CasoTesto& caso = GetParam();
  MemoryFileSystem memoria;
  const std::string file = (kNomi.*caso.nome_file)();
  memoria.files()[file] = std::string(200000, '#') + "\r\n[fine]\r\n";
  ASSERT_TRUE(caso.scrivi(memoria, kNomi).ok());
  const std::string& testo = memoria.files().at(file);
  EXPECT_EQ(conta(testo, "\r\n"), caso.righe);
  EXPECT_EQ(testo.find('#'), std::string::npos);
}

TEST_P(SourceTexts, AFailedWriteIsReportedAndLeavesTheEarlierFile) {
  const CasoTesto& caso = GetParam();
  MemoryFileSystem memoria;
  const std::string file = (kNomi.*caso.nome_file)();
  memoria.files()[file] = "earlier run\r\n";
  memoria.FailWritesTo(file);
  EXPECT_FALSE(caso.scrivi(memoria, kNomi).ok());
  EXPECT_EQ(memoria.files().at(file), "earlier run\r\n");
}

INSTANTIATE_TEST_SUITE_P(BothTexts, SourceTexts,
                         testing::Values(CasoTesto{"linea", &dati_linea, &NomiFile::testo_linea,
                                                   "BELFORTE SELVEN - MELAR_linea.txt", 454, 6,
                                                   "lunghezza percorso,    100000"},
                                         CasoTesto{"treno", &dati_treno, &NomiFile::testo_treno,
                                                   "BELFORTE SELVEN - MELAR_8312-.txt", 102, 0,
                                                   "numero vetture,    5"}),
                         [](const testing::TestParamInfo<CasoTesto>& parametro) {
                           return std::string(parametro.param.nome);
                         });

}  // namespace
}  // namespace scenario
