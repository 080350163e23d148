// Slow orders ("rallentamento" lines) and code cuts ("abbattimento" lines):
// both mark single track cells that the cab-code pass works from.
#pragma once

#include <cstdint>

#include "model/errors.h"
#include "model/tables.h"

namespace scenpack {

// The six numbers of a "rallentamento" line, in the order they stand.
struct SlowOrder {
  int32_t x = 0;     // start, metres from the route start
  int32_t v = 0;     // restricted speed, km/h
  int32_t l = 0;     // length, metres
  int32_t f_tt = 0;  // 1 = whole train
  int32_t f_ta = 0;  // 1 = four distance boards before the warning
  int32_t d_v = 0;   // further value, 0 = none
};

// Where a slow order was refused: the occupied cell and, for code 20,
// which of the four distance boards (1 nearest the warning cell) landed
// there.
struct RefusedCell {
  int64_t cell = 0;
  int board = 0;
};

// Marks the end (kind 2), start (kind 3) and, for a start beyond 1500 m,
// the warning cell 1200 m before it (kind 4) and the four board cells before
// that (kind 5, when f_ta != 0). Values go in with their low 16 bits.
//
// Returns the fault found, kNone when placed: 17, 18, 19 for an occupied
// warning, start or end cell (nothing written); 20 for an occupied board
// cell (start, end and warning cells stay marked, unless `undo_refused`
// asks for them as they were). The caller records it; `refused`, when
// given, says where. A placed slow order's cells are recorded in t.origins
// as coming from `line`:`column` (nothing is recorded for line 0). A cell
// outside celle is a ReadFault.
FaultCode place_slow_order(Tables& t, const SlowOrder& order, bool undo_refused = false,
                           RefusedCell* refused = nullptr, int line = 0, int column = 0);

// The code cut at `position` in cell round(position / 50): kind 12 with the
// value (low 16 bits) when the value is above 0, else kind 13. Returns 7 when
// the cell is occupied (nothing written), else kNone, the cell recorded in
// t.origins as coming from `line`:`column` (nothing for line 0). A cell
// outside celle is a ReadFault.
FaultCode place_code_cut(Tables& t, int32_t position, int32_t value, int line = 0, int column = 0);

}  // namespace scenpack
