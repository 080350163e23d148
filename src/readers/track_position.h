// Positions read from the train description and the track cells they name.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "model/numeric.h"
#include "model/tables.h"
#include "readers/read_fault.h"

namespace scenpack {

// The position check of the train records: (p + margin) / 50, computed in
// floating point, must not exceed n_celle. Signals, slow orders, code cuts,
// speed and adhesion lines use a margin of 100, stations one of 800.
inline bool within_track(const Tables& t, int32_t p, int32_t margin) {
  const double sum = static_cast<double>(p) + margin;
  return sum / kCellLength <= t.n_celle;
}

// The cell number a position names: the whole expression rounded half to
// even. `offset` is 1 for signals and slow orders, 0 for code cuts.
inline double cell_number(int64_t p, int offset) {
  return round_half_even(static_cast<double>(p) / kCellLength + offset);
}

// The cell with the (already rounded) number `n`. A number that names no
// cell of celle is a ReadFault: the reading stops with code 25 instead of
// touching memory outside the table.
inline Cella& track_cell(Tables& t, double n) {
  if (!(n >= 0.0 && n < static_cast<double>(t.celle.size()))) {
    char number[40];
    std::snprintf(number, sizeof number, "%.0f", n);
    throw ReadFault{std::string("cell ") + number + " lies outside the track cells", 0};
  }
  return t.celle[static_cast<size_t>(n)];
}

}  // namespace scenpack
