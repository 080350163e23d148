// Maximum-speed boards of the line description (kind 6 cells).
#pragma once

#include <cstdint>

#include "model/errors.h"
#include "model/tables.h"

namespace scenpack {

// The eight values of a speed board after its position: three speeds and a
// stripe count for the left side (s), then the same for the right side (d).
struct SpeedBoard {
  int32_t vas = 0, vbs = 0, vcs = 0, strisces = 0;
  int32_t vad = 0, vbd = 0, vcd = 0, strisced = 0;
};

// Places the board in cell round(posizione / 50 + 1). On an occupied cell
// (not kind 0 or 11) it returns code 21 and changes nothing; the caller
// records it with the position. Otherwise it returns kNone and the cell
// becomes kind 6 with speeds a..c = round(v?s * 20 + v?d / 5) (in double, to an Integer) and
// stripes = low 16 bits of strisces * 10 + strisced; so 85 and 85 give 1717.
// Throws ReadFault for a cell outside the table or a speed that does not fit
// an Integer.
FaultCode place_speed_boards(Tables& t, int32_t posizione, const SpeedBoard& board);

}  // namespace scenpack
