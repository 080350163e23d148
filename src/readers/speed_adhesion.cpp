#include "readers/speed_adhesion.h"

#include "driver/numeric.h"
#include "readers/checked_conversion.h"
#include "readers/track_position.h"

namespace scenpack {
namespace {

constexpr double kSpeedUnit = 5.0;  // dato5 counts 5 km/h steps

uint8_t speed_units(int32_t speed) { return byte_or_fault(static_cast<double>(speed) / kSpeedUnit); }

Cella& cursor_cell(Tables& t, int64_t cursor) { return track_cell(t, static_cast<double>(cursor)); }

}  // namespace

void apply_speed_line(Tables& t, CellProfile& speed, int32_t p, int32_t v) {
  const double n = cell_number(p, 0);
  if (n > 0) {
    do {
      if (speed.next_cell >= t.n_celle) break;
      cursor_cell(t, speed.next_cell).dato5 = speed_units(speed.running);
      ++speed.next_cell;
    } while (static_cast<double>(speed.next_cell) < n);
  }
  speed.running = v;
}

void apply_adhesion_line(Tables& t, CellProfile& adhesion, int32_t p, int32_t a) {
  const double n = cell_number(p, 0);
  if (n > 0) {
    do {
      cursor_cell(t, adhesion.next_cell).dato7 = low8(adhesion.running);
      ++adhesion.next_cell;
    } while (static_cast<double>(adhesion.next_cell) < n);
  }
  adhesion.running = a;
}

void fill_speed_to_end(Tables& t, CellProfile& speed) {
  do {
    cursor_cell(t, speed.next_cell).dato5 = speed_units(speed.running);
    ++speed.next_cell;
  } while (speed.next_cell < static_cast<int64_t>(t.n_celle) - 2);
}

void fill_adhesion_to_end(Tables& t, CellProfile& adhesion) {
  do {
    cursor_cell(t, adhesion.next_cell).dato7 = low8(adhesion.running);
    ++adhesion.next_cell;
  } while (adhesion.next_cell < static_cast<int64_t>(t.n_celle) - 2);
}

}  // namespace scenpack
