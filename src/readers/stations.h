// Stations: every "stazione" line of the train description becomes one
// record of schede (1 upward, in order of appearance) and marks the cells
// at the station's far end.
#pragma once

#include <cstdint>
#include <optional>

#include "model/errors.h"
#include "model/tables.h"
#include "readers/field_reader.h"

namespace scenpack {

// A station fault: its code, for 15, 8, 9 and 22 the station position, and
// where the offending field stands.
struct StationFault {
  FaultCode code = FaultCode::kNone;
  std::optional<int32_t> position;
  TextPosition where;
  bool fields_left = false;  // refused before its fields were all read
};

// The time of day written in a station's row, as written, and where its
// hours stand.
struct StationTime {
  int64_t hours = 0;
  int64_t minutes = 0;
  int64_t seconds = 0;
  TextPosition hours_at;
};

// Reads the sixteen numbers and the name that follow a "stazione" keyword
// into record `next_record`, each field with its own width, running the
// checks 15, 8, 9 between the reads and 24, 22, 10 after them. On success
// `next_record` moves to the next record. The record being read keeps what
// was stored before a fault.
//
// `board_record` is the next free text-board record left by the line half
// (80 when the line has no text boards): station records stay below it. A
// station whose record would already be a text board's is fault 10 before
// anything is read or written, so a board's text is never overwritten.
// Cells outside celle and values that overflow their field are ReadFaults.
//
// With `undo_refused` (check) a refused station stores nothing: its record
// and the cells it marked are as they were, `next_record` does not move, and
// the fields of its row not yet read are passed over. `time`, when given,
// receives the station's time as written once it has been read.
std::optional<StationFault> read_station(FieldReader& r, Tables& t, int32_t& next_record,
                                         int32_t board_record, bool undo_refused = false,
                                         StationTime* time = nullptr);

}  // namespace scenpack
