// The speed limit and adhesion of every track cell, written
// cell by cell as the "velocita' limite" and "aderenza" lines of the train
// description are read: each line's value applies from its own position up
// to the next line's position, and the last one to the end of the track.
//
// Before the first line of each kind the running value is 0, so cells
// before a first line that does not stand at 0 keep speed limit 0 and
// adhesion 0, the same as cells no line reaches.
#pragma once

#include <cstdint>
#include <string>

#include "model/tables.h"
#include "readers/field_reader.h"

namespace scenpack {

// One of the two running values with the next cell still to be written.
struct CellProfile {
  int64_t next_cell = 0;
  int32_t running = 0;
  TextPosition running_at;  // where the running value stands in the description
};

// True when a speed's fifth, rounded, fits the speed limit's Byte (0 to 1277 km/h).
bool speed_fits(int32_t speed);
// "speed 1300 km/h does not fit its field"
std::string speed_does_not_fit(int32_t speed);

// A speed-limit line at position p (already checked against the track) with
// speed v: the cells from the cursor up to cell round(p / 50) - 1 get the
// running speed / 5 rounded (at least one cell when round(p / 50) > 0; never
// past n_celle - 1); then v, standing at `v_at`, becomes the running speed.
// A speed whose fifth does not fit a Byte is a ReadFault when a cell is
// written with it, placed where that speed stands.
void apply_speed_line(Tables& t, CellProfile& speed, int32_t p, int32_t v, TextPosition v_at = {});

// The same for an adhesion line, storing the low 8 bits of the running
// adhesion unscaled, with no stop at n_celle inside the loop: a cursor
// outside celle is a ReadFault.
void apply_adhesion_line(Tables& t, CellProfile& adhesion, int32_t p, int32_t a);

// At the end of the train description: the running value goes into the
// cell at the cursor and every following cell below n_celle - 2 (at least
// one cell). A cursor outside celle is a ReadFault.
void fill_speed_to_end(Tables& t, CellProfile& speed);
void fill_adhesion_to_end(Tables& t, CellProfile& adhesion);

}  // namespace scenpack
