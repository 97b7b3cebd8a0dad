// Builds the bytes of a compiled file in memory: little-endian fields, each
// encoded byte by byte with shifts, so the result is the same whatever the
// machine's own byte order and structure layout.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

namespace scenario {

// Puts the low `kByte` bytes of `valore` at `destinazione`, least significant
// first, and returns the place after them. The shifts are spelt out, one per
// byte, and go through a local array: stores through a char pointer could
// alias anything and would not be merged.
template <size_t kByte>
char* metti(char* destinazione, uint64_t valore) {
  return [&]<size_t... kIndice>(std::index_sequence<kIndice...>) {
    const unsigned char piccoli[] = {static_cast<unsigned char>(valore >> (8 * kIndice))...};
    std::memcpy(destinazione, piccoli, kByte);
    return destinazione + kByte;
  }
  (std::make_index_sequence<kByte>());
}

class ScrittoreByte {
 public:
  // Room for `byte` bytes more, so that a large file grows once.
  void riserva(size_t byte) {
    if (usati_ + byte > dati_.size()) dati_.resize(usati_ + byte);
  }

  void byte(uint8_t valore) { senza_segno<1>(valore); }
  void int16(int16_t valore) { senza_segno<2>(static_cast<uint16_t>(valore)); }
  void uint16(uint16_t valore) { senza_segno<2>(valore); }
  void int32(int32_t valore) { senza_segno<4>(static_cast<uint32_t>(valore)); }
  // An IEEE 754 binary64 value, its bit pattern unchanged.
  void float64(double valore) { senza_segno<8>(std::bit_cast<uint64_t>(valore)); }
  // Bytes as they stand, with no length and no terminator.
  void testo(std::string_view byte) {
    spazio(byte.size());
    byte.copy(dati_.data() + usati_, byte.size());
    usati_ += byte.size();
  }

  // The next `byte` bytes of the file, for a caller that fills a long run of
  // fields at once with `metti`.
  char* prenota(size_t byte) {
    spazio(byte);
    char* inizio = dati_.data() + usati_;
    usati_ += byte;
    return inizio;
  }

  size_t dimensione() const { return usati_; }
  std::string_view dati() const { return std::string_view(dati_).substr(0, usati_); }
  std::string prendi() {
    dati_.resize(usati_);
    usati_ = 0;
    return std::move(dati_);
  }

 private:
  // The buffer is kept larger than what is written, so that writing a field
  // is a few stores and no reallocation check beyond one comparison.
  void spazio(size_t byte) {
    if (usati_ + byte > dati_.size()) dati_.resize(std::max(2 * dati_.size(), usati_ + byte));
  }

  // The bytes are laid out in a local array first: stores through a char
  // pointer into the buffer could alias anything and would not be merged.
  template <size_t kByte>
  void senza_segno(uint64_t valore) {
    senza_segno(valore, std::make_index_sequence<kByte>());
  }
  template <size_t... kIndice>
  void senza_segno(uint64_t valore, std::index_sequence<kIndice...>) {
    metti<sizeof...(kIndice)>(prenota(sizeof...(kIndice)), valore);
  }

  std::string dati_;
  size_t usati_ = 0;
};

}  // namespace scenario
