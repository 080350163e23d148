// Reading the two scenario descriptions into the tables: the line
// description first, then the train description. The descriptions come
// from memory; the readers say which of them the build deletes and leave
// every file operation to the build.
#pragma once

#include <cstdint>

#include "model/fault_sink.h"
#include "model/tables.h"
#include "readers/description.h"

namespace scenpack {

// Which descriptions the build deletes once the reading is done with them:
// the line description whenever it was there, the train description when
// it was read; both after a run-time fault of reading (code 25).
struct ReadingOutcome {
  bool delete_line = false;
  bool delete_train = false;
};

// Reads both descriptions, reporting every fault to `sink`: the two parts
// below, one after the other.
ReadingOutcome read_descriptions(Tables& t, const DescriptionText& line, const DescriptionText& train,
                                 FaultSink& sink);

// The first part: copies the scenario name and train number into records
// 85 and 86, then reads the line description. The one run-time handler of
// the build's policy is in both parts: a ReadFault records code 25 at the
// field being read and asks for both descriptions to be deleted. Once this
// part is done the route map is complete, and nothing after changes it.
struct LineReading {
  ReadingOutcome outcome;
  bool train_follows = false;  // the train description is read next
  int32_t board_record = 0;    // the next free text-board record
};
LineReading read_line_part(Tables& t, const DescriptionText& line, FaultSink& sink);

// The second part, when the first says the train description follows
// (otherwise nothing is read); returns what the build deletes.
ReadingOutcome read_train_part(Tables& t, const LineReading& line, const DescriptionText& train, FaultSink& sink);

}  // namespace scenpack
