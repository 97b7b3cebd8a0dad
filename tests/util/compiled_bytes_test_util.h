// For the tests: compiled files built by hand, byte by byte, independently of
// the package's own writers, so that the decoders are checked against the
// layout itself.
#pragma once

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>

namespace scenario::test {

class Byte {
 public:
  Byte& u8(uint8_t v) { return campo(v, 1); }
  Byte& u16(uint16_t v) { return campo(v, 2); }
  Byte& i16(int16_t v) { return campo(static_cast<uint16_t>(v), 2); }
  Byte& i32(int32_t v) { return campo(static_cast<uint32_t>(v), 4); }
  Byte& f64(double v) { return campo(std::bit_cast<uint64_t>(v), 8); }
  Byte& testo(std::string_view t) {
    u16(static_cast<uint16_t>(t.size()));
    byte_.append(t);
    return *this;
  }
  const std::string& str() const { return byte_; }

 private:
  Byte& campo(uint64_t v, int larghezza) {
    for (int i = 0; i < larghezza; ++i) byte_ += static_cast<char>((v >> (8 * i)) & 0xFF);
    return *this;
  }
  std::string byte_;
};

// A record-table entry whose only field is its text (34 bytes plus the text).
inline void voce_con_solo_nome(Byte& b, std::string_view nome) {
  b.u8(0).i32(0).i32(0).i32(0).u8(0).testo(nome);
  b.i16(0).i16(0).i16(0).i16(0).i16(0).u8(0).u8(0).u8(0).u8(0).i32(0);
}

// A route grid of `celle` cells, all zero but cell 1 (the stamp 5121 and the
// code 2496), cell 5 (a signal with every field set) and cell 6 (a speed
// board whose values need their sign).
inline std::string griglia_di_prova(int celle) {
  Byte b;
  for (int i = 0; i < celle; ++i) {
    if (i == 1) {
      b.u8(0).i16(5121).i16(2496).i16(0).i16(0).u8(0).u8(0).u8(0).u8(15).u8(100).u8(80);
    } else if (i == 5) {
      b.u8(1).i16(30).i16(40).i16(-2).i16(6).u8(230).u8(64).u8(2).u8(28).u8(118).u8(255);
    } else if (i == 6) {
      b.u8(6).i16(-32768).i16(32767).i16(1500).i16(0).u8(0).u8(0).u8(0).u8(0).u8(0).u8(0);
    } else {
      b.u8(0).i16(0).i16(0).i16(0).i16(0).u8(0).u8(0).u8(0).u8(0).u8(0).u8(0);
    }
  }
  return b.str();
}

// A record table: a station in entry 1, a lettered board with the degree
// sign (0xB0) in entry 80, the line in 85 and the train in 86.
inline std::string registro_di_prova() {
  Byte b;
  for (int i = 0; i < 87; ++i) {
    if (i == 1) {
      b.u8(8)
          .i32(-300)
          .i32(300)
          .i32(0)
          .u8(1)
          .testo("BELFORTE SELVEN")
          .i16(4)
          .i16(1)
          .i16(2)
          .i16(1)
          .i16(1)
          .u8(0)
          .u8(1)
          .u8(0)
          .u8(0)
          .i32(62580);
    } else if (i == 80) {
      voce_con_solo_nome(b, "(CURVA 30\xB0)(Km.1+200)");
    } else if (i == 85) {
      b.u8(0)
          .i32(80000)
          .i32(1)
          .i32(65000)
          .u8(0)
          .testo("BELFORTE SELVEN - MELAR")
          .i16(610)
          .i16(0)
          .i16(0)
          .i16(0)
          .i16(0)
          .u8(0)
          .u8(0)
          .u8(0)
          .u8(0)
          .i32(-7);
    } else if (i == 86) {
      b.u8(0)
          .i32(0)
          .i32(0)
          .i32(0)
          .u8(0)
          .testo("8312")
          .i16(100)
          .i16(0)
          .i16(17)
          .i16(22)
          .i16(0)
          .u8(0)
          .u8(0)
          .u8(0)
          .u8(0)
          .i32(0);
    } else {
      voce_con_solo_nome(b, "");
    }
  }
  return b.str();
}

// A compiled line of points 0 to `n`: points 0 and 1 the 16-bit (0, 0) and
// (0, 1), then 64-bit points on a gentle right-hand curve up to `calcolati` - 1,
// then empty values.
inline std::string linea_di_prova(int n, int calcolati) {
  Byte b;
  for (int serie = 0; serie < 2; ++serie) {
    for (int m = 0; m <= n; ++m) {
      if (m < 2 && m < calcolati) {
        b.u16(2).i16(static_cast<int16_t>(serie == 1 ? m : 0));
      } else if (m < calcolati) {
        const double x = (m - 1) * (m - 1) / 1024.0;  // exact in binary
        const double y = m - 0.25;
        b.u16(5).f64(serie == 0 ? x : y);
      } else {
        b.u16(0);
      }
    }
  }
  return b.str();
}

}  // namespace scenario::test
