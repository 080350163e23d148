#include "readers/speed_boards.h"

#include <string>

#include "model/cell_roles.h"
#include "model/numeric.h"
#include "readers/checked_conversion.h"
#include "readers/read_fault.h"
#include "readers/track_position.h"

namespace scenpack {
namespace {

// v_left * 20 + v_right / 5: a Long product, a double sum, rounded into an
// Integer field (a value that does not fit is a fault, not a truncation).
int16_t board_speed(int32_t left, int32_t right) {
  const int32_t hundreds = long_or_fault(static_cast<double>(left) * 20);
  return integer_or_fault(static_cast<double>(hundreds) + static_cast<double>(right) / 5.0);
}

}  // namespace

FaultCode place_speed_boards(Tables& t, int32_t posizione, const SpeedBoard& b) {
  Cella& cell = track_cell(t, cell_number(posizione, 1));
  if (!is_free(cell)) return FaultCode::kSpeedBoardOccupied;
  cell.tipo = kind::kSpeedBoard;
  const SpeedBoardCell board{cell};
  board.speeds_a() = board_speed(b.vas, b.vad);
  board.speeds_b() = board_speed(b.vbs, b.vbd);
  board.speeds_c() = board_speed(b.vcs, b.vcd);
  const int32_t tens = long_or_fault(static_cast<double>(b.strisces) * 10);
  const int32_t stripes = long_or_fault(static_cast<double>(tens) + b.strisced);
  board.stripes() = low16(stripes);
  return FaultCode::kNone;
}

}  // namespace scenpack
