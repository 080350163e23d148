// Text boards ("cartello indicatore") of the line description: a kind 14
// cell pointing at the record that holds the board's text.
#pragma once

#include <cstdint>
#include <string>

#include "model/tables.h"

namespace scenpack {

// Codes a text board can raise.
constexpr int32_t kTextBoardOnOccupiedCell = 6;
// The record table is full: the board would take a record below the
// stations' range (record 0). Stations meeting the boards from below raise
// the same code, so it names one fault seen from either side; the board is
// refused as the line description's data fault, like code 6.
constexpr int32_t kTextBoardTableFull = 10;
// The lowest record a text board may take; stations start at 1.
constexpr int32_t kLastBoardRecord = 1;

// Places a text board at position p (past the position check) in cell
// round(p / 50 + 1), with its text in schede(board_record), and moves
// board_record one record down. Returns 0, or code 6 when the cell is taken
// (not kind 0 or 11), or code 10 when board_record is already below the
// stations' range; on a code nothing is changed. Throws ReadFault for a
// cell outside the table.
int32_t place_text_board(Tables& t, int32_t p, const std::string& text, int32_t& board_record);

}  // namespace scenpack
