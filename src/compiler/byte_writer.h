// Builds the bytes of a compiled file: little-endian fields, each encoded
// byte by byte with shifts, so the result is the same whatever the machine's
// own byte order and structure layout. The bytes are either kept whole in
// memory or handed to a ByteSink in pieces as they are made.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

#include "base/file_system.h"
#include "base/status.h"

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
  // A piece handed to a sink: large enough that the system sees few writes,
  // small enough to stay in the processor's cache.
  static constexpr size_t kPezzo = size_t{64} << 10;

  // Keeps every byte, for `prendi`.
  ScrittoreByte() = default;
  // Hands the bytes to `sink` whenever about `pezzo` of them are made, and
  // the rest at `chiudi`, so that a large file never lies whole in memory.
  explicit ScrittoreByte(ByteSink& sink, size_t pezzo = kPezzo) : sink_(&sink) {
    dati_.resize(pezzo);
  }

  // Room for `byte` bytes more, so that a large file grows once. Nothing to
  // do when the bytes go to a sink.
  void riserva(size_t byte) {
    if (sink_ == nullptr && usati_ + byte > dati_.size()) dati_.resize(usati_ + byte);
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

  // Bytes written so far, those handed to the sink included.
  size_t dimensione() const { return consegnati_ + usati_; }
  // The bytes held, not yet handed to a sink.
  std::string_view dati() const { return std::string_view(dati_).substr(0, usati_); }
  std::string prendi() {
    dati_.resize(usati_);
    usati_ = 0;
    return std::move(dati_);
  }

  // Hands the bytes held to the sink. Returns the sink's first failure: the
  // bytes made after it went nowhere.
  Status chiudi() {
    consegna();
    return stato_;
  }
  // The sink's first failure so far, so that a long run can stop early.
  const Status& stato() const { return stato_; }

 private:
  // The buffer is kept larger than what is written, so that writing a field
  // is a few stores and no reallocation check beyond one comparison. With a
  // sink the buffer is handed over when full and used again.
  void spazio(size_t byte) {
    if (usati_ + byte <= dati_.size()) return;
    if (sink_ != nullptr) {
      consegna();
      if (byte <= dati_.size()) return;
    }
    dati_.resize(std::max(2 * dati_.size(), usati_ + byte));
  }

  void consegna() {
    if (sink_ == nullptr || usati_ == 0) return;
    if (stato_.ok()) stato_ = sink_->Append(dati());
    consegnati_ += usati_;
    usati_ = 0;
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
  ByteSink* sink_ = nullptr;
  size_t consegnati_ = 0;
  Status stato_;
};

}  // namespace scenario
