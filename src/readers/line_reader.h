// The line half of reading: the line description into the tables.
#pragma once

#include <cstdint>

#include "model/file_names.h"
#include "model/status.h"
#include "model/tables.h"

namespace scenpack {

// How the line half ended.
struct LineHalf {
  Status status;               // not ok: the description could not be deleted
  bool train_follows = false;  // read to its end, or stopped by code 15
  int32_t board_record = kFirstBoardRecord;  // next free text-board record
};

// Reads `files.line_text()`: the "[generale]" search, the general section,
// the ordering of the chainage records, the body records (gradients,
// curves, tunnels, speed and text boards) and the completions of the
// gradients and the map.
//
// Data faults are recorded in t.errore with the description's name and the
// line of the record. Which file goes:
//  - 101 (no description): nothing is opened or deleted;
//  - 102, 1, 3, 4, 5, 103, 6, 21, 10: the description is deleted and the
//    reading ends, without completions, before the train description;
//  - the end of the text, or 15 (a record beyond the last cell, which stops
//    the body): the description is deleted, the completions run and the
//    train description follows.
// Run-time faults (a description that cannot be opened, an unreadable
// field, a read past the end, a value or an index out of range, no route
// length before the body) throw ReadFault, carrying the line of the field
// being read; the caller deletes both descriptions and records code 25.
LineHalf read_line_description(Tables& t, const ScenarioFiles& files);

}  // namespace scenpack
