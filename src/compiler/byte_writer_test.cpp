#include "compiler/byte_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace scenario {
namespace {

std::string byte(std::initializer_list<int> valori) {
  std::string risultato;
  for (int v : valori) risultato.push_back(static_cast<char>(v));
  return risultato;
}

TEST(ScrittoreByte, WritesLittleEndianFieldsOneAfterTheOther) {
  ScrittoreByte scrittore;
  scrittore.byte(0xB0);
  scrittore.int16(5121);
  scrittore.int16(-2);
  scrittore.uint16(0xFFFF);
  scrittore.int32(0x12345678);
  scrittore.int32(-1000000);
  scrittore.float64(1.0);
  scrittore.float64(-0.0);
  scrittore.testo("8\xB0");
  const std::string atteso =
      byte({0xB0, 0x01, 0x14, 0xFE, 0xFF, 0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12,
            0xC0, 0xBD, 0xF0, 0xFF, 0,    0,    0,    0,    0,    0,    0xF0,
            0x3F, 0,    0,    0,    0,    0,    0,    0,    0x80, '8',  0xB0});
  EXPECT_EQ(scrittore.dati(), atteso);
  EXPECT_EQ(scrittore.dimensione(), atteso.size());
}

TEST(ScrittoreByte, KeepsEveryBitOfAFloat) {
  for (double valore : {0.1, -2301.999991, 1e300, std::nextafter(1.0, 2.0)}) {
    ScrittoreByte scrittore;
    scrittore.float64(valore);
    uint64_t bit = 0;
    for (int i = 7; i >= 0; --i) {
      bit = (bit << 8) | static_cast<unsigned char>(scrittore.dati()[static_cast<size_t>(i)]);
    }
    EXPECT_EQ(std::bit_cast<double>(bit), valore);
  }
}

}  // namespace
}  // namespace scenario
