// The line half of reading: the line description into the tables.
#pragma once

#include <cstdint>

#include "model/fault_sink.h"
#include "model/tables.h"
#include "readers/description.h"

namespace scenpack {

// How the line half ended.
struct LineHalf {
  bool train_follows = false;  // read to its end, or stopped by code 15
  bool delete_line = false;    // the build deletes the line description
  int32_t board_record = kFirstBoardRecord;  // next free text-board record
};

// Reads the line description: the "[generale]" search, the general
// section, the ordering of the chainage records, the body records
// (gradients, curves, tunnels, speed and text boards) and the completions
// of the gradients and the map.
//
// Faults go to `sink`, with the description's name and the line and column
// of the offending field. Under the build's policy the reading ends as it
// always has:
//  - 101 (no description): nothing to delete;
//  - 102, 1, 3, 4, 5, 103, 6, 21, 10: the description is to be deleted and
//    the reading ends, without completions, before the train description;
//  - the end of the text, or 15 (a record beyond the last cell, which stops
//    the body): the description is to be deleted, the completions run and
//    the train description follows.
// Under check's policy a refused record is skipped and the reading goes on;
// an unreadable field is listed and the reading goes on at the next line;
// only 101, 102, 1 and a missing route length end the description early
// (with a note saying what was not checked).
//
// Run-time faults under the build's policy (a description that cannot be
// read, an unreadable field, a read past the end, a value or an index out
// of range, no route length before the body) throw ReadFault, carrying the
// line and column of the field being read; the caller records code 25.
LineHalf read_line_description(Tables& t, const DescriptionText& line, FaultSink& sink);

}  // namespace scenpack
