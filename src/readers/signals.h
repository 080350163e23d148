// Signals: one "segnale" line of the train description marks the signal's
// cell and the four look-back cells before it.
#pragma once

#include <cstdint>

#include "model/errors.h"
#include "model/tables.h"

namespace scenpack {

// The eleven numbers of a "segnale" line, in the order they stand.
struct SignalRow {
  int32_t posizione = 0;
  int32_t sx = 0;    // first value of the left group; 2 enables tempo
  int32_t s1 = 0;
  int32_t s2 = 0;
  int32_t s3 = 0;
  int32_t rapp = 0;  // tens digit of the group
  int32_t dx = 0;    // first value of the right group
  int32_t d1 = 0;
  int32_t d2 = 0;
  int32_t d3 = 0;
  int32_t tempo = 0;  // 0 = none; 1..100 is raised to 101
};

// Places the signal in the cell numbered round(posizione / 50 + 1): kind 1,
// the code digits packed into the three codes and the group (low 16 bits), the time (low 8 bits)
// when sx = 2, and avviso (low 8 bits) in the cells 2, 4, 6 and 8 before it;
// look-back cells before cell 0 do not exist and are skipped. The only
// field of `row` it changes is tempo.
//
// Returns the fault found, kNone when the signal was placed: 16 when
// the signal's cell is occupied (nothing written). The caller records it.
// A signal cell outside celle is a ReadFault.
FaultCode place_signal(Tables& t, SignalRow& row);

}  // namespace scenpack
