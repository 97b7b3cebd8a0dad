// Builds the bytes of a compiled file in memory: little-endian fields, each
// encoded byte by byte with shifts, so the result is the same whatever the
// machine's own byte order and structure layout.
#pragma once

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace scenario {

class ScrittoreByte {
 public:
  // Room for `byte` bytes more, so that a large file grows once.
  void riserva(size_t byte) { dati_.reserve(dati_.size() + byte); }

  void byte(uint8_t valore) { dati_.push_back(static_cast<char>(valore)); }
  void int16(int16_t valore) { senza_segno(static_cast<uint16_t>(valore), 2); }
  void uint16(uint16_t valore) { senza_segno(valore, 2); }
  void int32(int32_t valore) { senza_segno(static_cast<uint32_t>(valore), 4); }
  // An IEEE 754 binary64 value, its bit pattern unchanged.
  void float64(double valore) { senza_segno(std::bit_cast<uint64_t>(valore), 8); }
  // Bytes as they stand, with no length and no terminator.
  void testo(std::string_view byte) { dati_.append(byte); }

  size_t dimensione() const { return dati_.size(); }
  const std::string& dati() const { return dati_; }
  std::string prendi() { return std::move(dati_); }

 private:
  void senza_segno(uint64_t valore, int byte) {
    char piccoli[8];
    for (int i = 0; i < byte; ++i) piccoli[i] = static_cast<char>((valore >> (8 * i)) & 0xFF);
    dati_.append(piccoli, static_cast<size_t>(byte));
  }

  std::string dati_;
};

}  // namespace scenario
