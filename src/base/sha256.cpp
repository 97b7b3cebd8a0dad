#include "base/sha256.h"

#include <algorithm>
#include <bit>

namespace scenario {
namespace {

// The first 32 bits of the fractional parts of the cube roots of the first
// 64 primes.
constexpr std::array<uint32_t, 64> kCostanti = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2,
};

// The first 32 bits of the fractional parts of the square roots of the first
// 8 primes.
constexpr std::array<uint32_t, 8> kStatoIniziale = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                                    0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};

}  // namespace

Sha256::Sha256() : stato_(kStatoIniziale) {}

void Sha256::comprimi(const uint8_t* blocco) {
  std::array<uint32_t, 64> w;
  for (size_t i = 0; i < 16; ++i) {
    w[i] = uint32_t{blocco[4 * i]} << 24 | uint32_t{blocco[4 * i + 1]} << 16 |
           uint32_t{blocco[4 * i + 2]} << 8 | uint32_t{blocco[4 * i + 3]};
  }
  for (size_t i = 16; i < 64; ++i) {
    const uint32_t s0 = std::rotr(w[i - 15], 7) ^ std::rotr(w[i - 15], 18) ^ (w[i - 15] >> 3);
    const uint32_t s1 = std::rotr(w[i - 2], 17) ^ std::rotr(w[i - 2], 19) ^ (w[i - 2] >> 10);
    w[i] = w[i - 16] + s0 + w[i - 7] + s1;
  }
  uint32_t a = stato_[0], b = stato_[1], c = stato_[2], d = stato_[3];
  uint32_t e = stato_[4], f = stato_[5], g = stato_[6], h = stato_[7];
  for (size_t i = 0; i < 64; ++i) {
    const uint32_t s1 = std::rotr(e, 6) ^ std::rotr(e, 11) ^ std::rotr(e, 25);
    const uint32_t scelta = (e & f) ^ (~e & g);
    const uint32_t t1 = h + s1 + scelta + kCostanti[i] + w[i];
    const uint32_t s0 = std::rotr(a, 2) ^ std::rotr(a, 13) ^ std::rotr(a, 22);
    const uint32_t maggioranza = (a & b) ^ (a & c) ^ (b & c);
    const uint32_t t2 = s0 + maggioranza;
    h = g;
    g = f;
    f = e;
    e = d + t1;
    d = c;
    c = b;
    b = a;
    a = t1 + t2;
  }
  stato_[0] += a;
  stato_[1] += b;
  stato_[2] += c;
  stato_[3] += d;
  stato_[4] += e;
  stato_[5] += f;
  stato_[6] += g;
  stato_[7] += h;
}

void Sha256::aggiungi(std::string_view byte) {
  lunghezza_ += byte.size();
  const auto* dati = reinterpret_cast<const uint8_t*>(byte.data());
  size_t resto = byte.size();
  if (in_blocco_ > 0) {
    const size_t presi = std::min(resto, blocco_.size() - in_blocco_);
    std::copy(dati, dati + presi, blocco_.begin() + static_cast<std::ptrdiff_t>(in_blocco_));
    in_blocco_ += presi;
    dati += presi;
    resto -= presi;
    if (in_blocco_ < blocco_.size()) return;
    comprimi(blocco_.data());
    in_blocco_ = 0;
  }
  // Whole blocks straight from the caller's bytes, without a copy.
  for (; resto >= blocco_.size(); resto -= blocco_.size(), dati += blocco_.size()) comprimi(dati);
  std::copy(dati, dati + resto, blocco_.begin());
  in_blocco_ = resto;
}

ImprontaSha256 Sha256::concludi() {
  // The message is followed by a single 1 bit, zeros up to 8 bytes before a
  // block's end, and its length in bits as a big-endian 64-bit number.
  const uint64_t bit = lunghezza_ * 8;
  std::array<char, 72> coda{};
  coda[0] = static_cast<char>(0x80);
  const size_t zeri = (in_blocco_ < 56 ? 56 : 120) - in_blocco_;
  for (size_t i = 0; i < 8; ++i) coda[zeri + i] = static_cast<char>(bit >> (56 - 8 * i));
  aggiungi(std::string_view(coda.data(), zeri + 8));

  ImprontaSha256 impronta;
  for (size_t i = 0; i < 8; ++i) {
    for (size_t j = 0; j < 4; ++j) {
      impronta[4 * i + j] = static_cast<uint8_t>(stato_[i] >> (24 - 8 * j));
    }
  }
  return impronta;
}

ImprontaSha256 sha256(std::string_view byte) {
  Sha256 sha;
  sha.aggiungi(byte);
  return sha.concludi();
}

}  // namespace scenario
