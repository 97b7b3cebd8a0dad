// SHA-256 (FIPS 180-4): the checksum a package program carries over its
// scenario, so that a copy damaged on its way to the player is recognised
// before anything is installed. Written here rather than taken from a
// library: the installer depends on nothing but the standard library.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace scenario {

using ImprontaSha256 = std::array<uint8_t, 32>;

class Sha256 {
 public:
  Sha256();

  // Adds `byte` to the message; may be called any number of times.
  void aggiungi(std::string_view byte);

  // The digest of everything added. The object is spent afterwards.
  ImprontaSha256 concludi();

 private:
  void comprimi(const uint8_t* blocco);

  std::array<uint32_t, 8> stato_;
  std::array<uint8_t, 64> blocco_{};
  size_t in_blocco_ = 0;
  uint64_t lunghezza_ = 0;  // bytes added so far
};

// The digest of `byte` in one call.
ImprontaSha256 sha256(std::string_view byte);

}  // namespace scenario
