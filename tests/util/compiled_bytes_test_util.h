// For the tests: compiled files built by hand. The bytes are laid out by a
// little writer of the tests' own, independently of the package's writers;
// the records walk the package's field lists, so that a fixture holds every
// field of a cell or an entry, in the order the layout gives.
#pragma once

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "compiler/compiled_files.h"
#include "compiler/compiled_layout.h"

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
  // Every field of a cell or an entry, each in its width.
  template <typename Record>
  Byte& record(const Record& r) {
    visita_campi(r, [&](auto, const auto& valore) {
      using T = std::remove_cvref_t<decltype(valore)>;
      if constexpr (std::is_same_v<T, std::string>) {
        testo(valore);
      } else if constexpr (std::is_same_v<T, int16_t>) {
        i16(valore);
      } else if constexpr (std::is_same_v<T, int32_t>) {
        i32(valore);
      } else {
        u8(static_cast<uint8_t>(valore));
      }
    });
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

template <typename Tabella>
std::string byte_di(const Tabella& tabella) {
  Byte b;
  for (const auto& record : tabella) b.record(record);
  return b.str();
}

// A route grid of `numero` cells, all zero but cell 1 (the stamp 5121, the
// code 2496 and the three value lists), cell 5 (a signal with every field
// set) and cell 6 (a speed board whose values need their sign).
inline std::vector<CellaPercorso> celle_di_prova(int numero) {
  std::vector<CellaPercorso> celle(static_cast<size_t>(numero));
  celle[1] = {TipoCella::kBinario, 5121, 2496, 0, 0, 0, 0, 0, 15, 100, 80};
  celle[5] = {TipoCella::kSegnale, 30, 40, -2, 6, 230, 64, 2, 28, 118, 255};
  celle[6] = {TipoCella::kIndicatoreVMax, -32768, 32767, 1500, 0, 0, 0, 0, 0, 0, 0};
  return celle;
}
inline std::string griglia_di_prova(int numero) { return byte_di(celle_di_prova(numero)); }

// A record table: a station in entry 1, a lettered board with the degree
// sign (0xB0) in entry 80, the line in 85 and the train in 86.
inline RegistroCompilato voci_di_prova() {
  RegistroCompilato r{};
  r[1] = {8, -300, 300, 0, 1, "BELFORTE SELVEN", 4, 1, 2, 1, 1, 0, 1, 0, 0, 62580};
  r[80].nome = "(CURVA 30\xB0)(Km.1+200)";
  r[85] = {0, 80000, 1, 65000, 0, "BELFORTE SELVEN - MELAR", 610, 0, 0, 0, 0, 0, 0, 0, 0, -7};
  r[86] = {0, 0, 0, 0, 0, "8312", 100, 0, 17, 22, 0, 0, 0, 0, 0, 0};
  return r;
}
inline std::string registro_di_prova() { return byte_di(voci_di_prova()); }

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
