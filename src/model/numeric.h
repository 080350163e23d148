// Rounding and the narrowing stores used across the build.
#pragma once

#include <cmath>
#include <cstdint>

namespace scenpack {

// Rounds to the nearest whole number, ties to the even one (2019.5 -> 2020,
// 2018.5 -> 2018). The caller makes sure the value fits.
inline double round_half_even(double v) {
  double r = std::round(v);  // ties away from zero
  if (std::fabs(v - std::trunc(v)) == 0.5) r = 2.0 * std::round(v / 2.0);
  return r;
}

// Truncating stores into a Byte or an Integer field: the low 8 or 16 bits.
inline uint8_t low8(int64_t v) { return static_cast<uint8_t>(static_cast<uint64_t>(v) & 0xFFu); }
inline int16_t low16(int64_t v) {
  return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint64_t>(v) & 0xFFFFu));
}

}  // namespace scenpack
