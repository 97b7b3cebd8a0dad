// Every conversion of a fractional value to a whole number rounds to the
// nearest whole number, a half going to the even neighbour (90.5 -> 90,
// 91.5 -> 92), as the simulator's own tools do.
#pragma once

#include <cmath>
#include <cstdint>

namespace scenario {

// Rounds to the nearest integer, halves to even. The caller makes sure the
// result fits; `std::nearbyint` uses the default rounding mode, which is
// round-to-nearest-even and is never changed by this program.
inline int64_t arrotonda(double value) { return static_cast<int64_t>(std::nearbyint(value)); }

// A value stored in a field narrower than the computation keeps its low bits.
inline uint8_t low8(int64_t value) { return static_cast<uint8_t>(value & 0xFF); }
inline int16_t low16(int64_t value) {
  return static_cast<int16_t>(static_cast<uint16_t>(value & 0xFFFF));
}

}  // namespace scenario
