// Positions along the route (whole metres from the start) turned into
// track-cell numbers, the position check every description record passes,
// and Long arithmetic that faults instead of wrapping.
#pragma once

#include <cstdint>
#include <limits>

#include "driver/numeric.h"
#include "driver/tables.h"
#include "readers/read_fault.h"

namespace scenpack {

// A Long (32-bit) result of reading arithmetic. A sum or product that does
// not fit is a run-time fault of reading, like any other overflow.
inline int32_t checked_long(int64_t v) {
  if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max()) {
    throw ReadFault{"arithmetic overflow: " + std::to_string(v) + " does not fit a Long", 0};
  }
  return static_cast<int32_t>(v);
}

// The cell number of `position / 50 + offset`: the whole expression in
// double precision, then rounded half to even. round(p / 50 + 1) is not
// round(p / 50) + 1 when p / 50 ends in .5 (p = 25: 1.5 -> 2, but 0 + 1 = 1).
inline int64_t cell_number(int32_t position, int32_t offset) {
  const double cell = static_cast<double>(position) / kCellLength + offset;
  return static_cast<int64_t>(round_half_even(cell));
}

// True when a record at `position` lies beyond the last track cell:
// (position + 100) / 50, in floating point, is greater than n_celle.
inline bool beyond_last_cell(const Tables& t, int32_t position) {
  const int32_t ahead = checked_long(static_cast<int64_t>(position) + 100);
  return static_cast<double>(ahead) / kCellLength > static_cast<double>(t.n_celle);
}

}  // namespace scenpack
