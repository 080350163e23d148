#include "readers/speed_adhesion.h"

#include <algorithm>
#include <cmath>

#include "model/cell_roles.h"
#include "model/numeric.h"
#include "readers/checked_conversion.h"
#include "readers/track_position.h"

namespace scenpack {
namespace {

constexpr double kSpeedUnit = 5.0;  // a cell's speed limit counts 5 km/h steps

uint8_t speed_units(int32_t speed) { return byte_or_fault(static_cast<double>(speed) / kSpeedUnit); }
uint8_t adhesion_byte(int32_t adhesion) { return low8(adhesion); }

// The first cell number the cursor, moving on from `first`, does not write
// below `limit`: at least first + 1 (the run writes at least one cell).
int64_t run_end(int64_t first, double limit) {
  constexpr double kBeyondAnyTable = 1e15;
  if (!(limit > static_cast<double>(first + 1))) return first + 1;
  return static_cast<int64_t>(std::ceil(std::min(limit, kBeyondAnyTable)));
}

// Writes the running value, as `convert` makes it, into `field` of the cell
// at the cursor and moves on, at least once, while the cursor stays below
// `limit`. With `stop_at_n_celle` the run ends once the cursor reaches
// n_celle; otherwise a cursor outside celle is a ReadFault (the cells before
// it written). A value that does not convert is a ReadFault when the first
// cell would be written, placed where the value stands.
void run_cursor(Tables& t, CellProfile& profile, double limit, bool stop_at_n_celle, uint8_t Cella::*field,
                uint8_t (*convert)(int32_t)) {
  const int64_t first = profile.next_cell;
  if (stop_at_n_celle && first >= t.n_celle) return;
  int64_t end = run_end(first, limit);
  if (stop_at_n_celle) end = std::min<int64_t>(end, t.n_celle);
  (void)track_cell(t, static_cast<double>(first));  // a ReadFault when outside celle
  uint8_t value = 0;
  try {
    value = convert(profile.running);
  } catch (ReadFault& fault) {
    // The value comes from an earlier line: the fault stands there.
    fault.what = speed_does_not_fit(profile.running);
    fault.line = profile.running_at.line;
    fault.column = profile.running_at.column;
    throw;
  }
  const int64_t inside = std::min(end, static_cast<int64_t>(t.celle.size()));
  fill_cells(t, first, inside, field, value);
  profile.next_cell = inside;
  if (inside < end) (void)track_cell(t, static_cast<double>(inside));  // past the last cell: a ReadFault
}

double end_of_fill(const Tables& t) { return static_cast<double>(t.n_celle) - 2; }

}  // namespace

bool speed_fits(int32_t speed) {
  const double units = round_half_even(static_cast<double>(speed) / kSpeedUnit);
  return units >= 0.0 && units <= 255.0;
}

std::string speed_does_not_fit(int32_t speed) {
  return "speed " + std::to_string(speed) + " km/h does not fit its field (a byte of 5 km/h steps, 0 to 1275 km/h)";
}

void apply_speed_line(Tables& t, CellProfile& speed, int32_t p, int32_t v, TextPosition v_at) {
  const double n = cell_number(p, 0);
  if (n > 0) run_cursor(t, speed, n, true, kSpeedLimitSteps, speed_units);
  speed.running = v;
  speed.running_at = v_at;
}

void apply_adhesion_line(Tables& t, CellProfile& adhesion, int32_t p, int32_t a) {
  const double n = cell_number(p, 0);
  if (n > 0) run_cursor(t, adhesion, n, false, kAdhesion, adhesion_byte);
  adhesion.running = a;
}

void fill_speed_to_end(Tables& t, CellProfile& speed) { run_cursor(t, speed, end_of_fill(t), false, kSpeedLimitSteps, speed_units); }

void fill_adhesion_to_end(Tables& t, CellProfile& adhesion) {
  run_cursor(t, adhesion, end_of_fill(t), false, kAdhesion, adhesion_byte);
}

}  // namespace scenpack
