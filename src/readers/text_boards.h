// Text boards ("cartello indicatore") of the line description: a kind 14
// cell pointing at the record that holds the board's text.
#pragma once

#include <cstdint>
#include <string_view>

#include "model/errors.h"
#include "model/tables.h"

namespace scenpack {

// The lowest record a text board may take; stations start at 1.
constexpr int32_t kLastBoardRecord = 1;

// Places a text board at position p (past the position check) in cell
// round(p / 50 + 1), with its text in schede(board_record), and moves
// board_record one record down. Returns kNone, or code 6 when the cell is
// taken (not kind 0 or 11), or code 10 when board_record is already below
// the stations' range (the record table is full: stations meeting the boards
// from below raise the same code, one fault seen from either side); on a
// code nothing is changed. Throws ReadFault for a cell outside the table.
FaultCode place_text_board(Tables& t, int32_t p, std::string_view text, int32_t& board_record);

}  // namespace scenpack
