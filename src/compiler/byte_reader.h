// Reads the fields of a compiled file back from its bytes: the counterpart of
// ScrittoreByte. Little-endian fields taken byte by byte from the front of a
// buffer, so the result does not depend on the machine's own byte order.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace scenario {

class LettoreByte {
 public:
  explicit LettoreByte(std::string_view byte) : byte_(byte) {}

  size_t posizione() const { return posizione_; }
  size_t restanti() const { return byte_.size() - posizione_; }

  // Each reader takes its field and moves on, or, when fewer bytes remain
  // than the field needs, returns false and takes nothing.
  bool byte(uint8_t* valore) { return senza_segno(valore); }
  bool uint16(uint16_t* valore) { return senza_segno(valore); }
  bool int16(int16_t* valore) { return con_segno<uint16_t>(valore); }
  bool int32(int32_t* valore) { return con_segno<uint32_t>(valore); }
  // An IEEE 754 binary64 value, its bit pattern unchanged.
  bool float64(double* valore) {
    uint64_t bit = 0;
    if (!senza_segno(&bit)) return false;
    *valore = std::bit_cast<double>(bit);
    return true;
  }
  // `lunghezza` bytes as they stand.
  bool testo(std::string* valore, size_t lunghezza) {
    if (restanti() < lunghezza) return false;
    valore->assign(byte_.substr(posizione_, lunghezza));
    posizione_ += lunghezza;
    return true;
  }
  // Passes over `lunghezza` bytes.
  bool salta(size_t lunghezza) {
    if (restanti() < lunghezza) return false;
    posizione_ += lunghezza;
    return true;
  }

 private:
  template <typename T>
  bool senza_segno(T* valore) {
    if (restanti() < sizeof(T)) return false;
    uint64_t v = 0;
    for (size_t i = 0; i < sizeof(T); ++i) {
      v |= uint64_t{static_cast<uint8_t>(byte_[posizione_ + i])} << (8 * i);
    }
    posizione_ += sizeof(T);
    *valore = static_cast<T>(v);
    return true;
  }
  template <typename Senza, typename T>
  bool con_segno(T* valore) {
    Senza v = 0;
    if (!senza_segno(&v)) return false;
    *valore = static_cast<T>(v);
    return true;
  }

  std::string_view byte_;
  size_t posizione_ = 0;
};

}  // namespace scenario
