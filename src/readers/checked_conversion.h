// Narrowing conversions whose overflow is a run-time reading fault (code 25),
// as opposed to the truncating stores low8/low16 of model/numeric.h. A
// reader uses these where a value that does not fit its field must stop the
// reading rather than wrap.
#pragma once

#include <cstdint>
#include <limits>
#include <string>

#include "model/numeric.h"
#include "readers/read_fault.h"

namespace scenpack {

// Rounds half to even and stores into a Byte; outside 0..255 is a ReadFault.
inline uint8_t byte_or_fault(double v) {
  const double r = round_half_even(v);
  if (!(r >= 0.0 && r <= 255.0)) throw ReadFault{"value " + std::to_string(v) + " does not fit a Byte", 0};
  return static_cast<uint8_t>(r);
}

// Rounds half to even and stores into an Integer; outside 16 bits is a ReadFault.
inline int16_t integer_or_fault(double v) {
  const double r = round_half_even(v);
  if (!(r >= std::numeric_limits<int16_t>::min() && r <= std::numeric_limits<int16_t>::max())) {
    throw ReadFault{"value " + std::to_string(v) + " does not fit an Integer", 0};
  }
  return static_cast<int16_t>(r);
}

// Rounds half to even and stores into a Long; outside 32 bits is a ReadFault.
inline int32_t long_or_fault(double v) {
  const double r = round_half_even(v);
  if (!(r >= std::numeric_limits<int32_t>::min() && r <= std::numeric_limits<int32_t>::max())) {
    throw ReadFault{"value " + std::to_string(v) + " does not fit a Long", 0};
  }
  return static_cast<int32_t>(r);
}

}  // namespace scenpack
