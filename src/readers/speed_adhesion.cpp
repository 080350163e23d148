#include "readers/speed_adhesion.h"

#include "model/numeric.h"
#include "readers/checked_conversion.h"
#include "readers/track_position.h"

namespace scenpack {
namespace {

constexpr double kSpeedUnit = 5.0;  // dato5 counts 5 km/h steps

uint8_t speed_units(int32_t speed) { return byte_or_fault(static_cast<double>(speed) / kSpeedUnit); }

void store_speed(Cella& c, int32_t speed) { c.dato5 = speed_units(speed); }
void store_adhesion(Cella& c, int32_t adhesion) { c.dato7 = low8(adhesion); }

// Writes the running value into the cell at the cursor and moves on, at
// least once, while the cursor stays below `limit`. With `stop_at_n_celle`
// the run ends once the cursor reaches n_celle; otherwise a cursor outside
// celle is a ReadFault.
void run_cursor(Tables& t, CellProfile& profile, double limit, bool stop_at_n_celle,
                void (*store)(Cella&, int32_t)) {
  do {
    if (stop_at_n_celle && profile.next_cell >= t.n_celle) break;
    Cella& cell = track_cell(t, static_cast<double>(profile.next_cell));
    try {
      store(cell, profile.running);
    } catch (ReadFault& fault) {
      // The value comes from an earlier line: the fault stands there.
      fault.what = speed_does_not_fit(profile.running);
      fault.line = profile.running_at.line;
      fault.column = profile.running_at.column;
      throw;
    }
    ++profile.next_cell;
  } while (static_cast<double>(profile.next_cell) < limit);
}

double end_of_fill(const Tables& t) { return static_cast<double>(t.n_celle) - 2; }

}  // namespace

bool speed_fits(int32_t speed) {
  const double units = round_half_even(static_cast<double>(speed) / kSpeedUnit);
  return units >= 0.0 && units <= 255.0;
}

std::string speed_does_not_fit(int32_t speed) {
  return "speed " + std::to_string(speed) + " km/h does not fit its field";
}

void apply_speed_line(Tables& t, CellProfile& speed, int32_t p, int32_t v, TextPosition v_at) {
  const double n = cell_number(p, 0);
  if (n > 0) run_cursor(t, speed, n, true, store_speed);
  speed.running = v;
  speed.running_at = v_at;
}

void apply_adhesion_line(Tables& t, CellProfile& adhesion, int32_t p, int32_t a) {
  const double n = cell_number(p, 0);
  if (n > 0) run_cursor(t, adhesion, n, false, store_adhesion);
  adhesion.running = a;
}

void fill_speed_to_end(Tables& t, CellProfile& speed) { run_cursor(t, speed, end_of_fill(t), false, store_speed); }

void fill_adhesion_to_end(Tables& t, CellProfile& adhesion) {
  run_cursor(t, adhesion, end_of_fill(t), false, store_adhesion);
}

}  // namespace scenpack
