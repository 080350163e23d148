// Reading the two scenario descriptions into the tables: the line
// description first, then the train description. The descriptions come
// from memory; the readers say which of them the build deletes and leave
// every file operation to the build.
#pragma once

#include <functional>

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

// Copies the scenario name and train number into records 85 and 86, then
// reads the line and train descriptions, reporting every fault to `sink`.
// The one run-time handler of the build's policy is here: a ReadFault from
// either half records code 25 at the field being read and asks for both
// descriptions to be deleted.
ReadingOutcome read_descriptions(Tables& t, const DescriptionText& line, const DescriptionText& train,
                              FaultSink& sink);

// The train description, asked for once: when the line description has
// been read to the point where the train description follows. The route map
// is complete then and nothing after changes it. What it throws is not a
// fault of reading: it goes on to the caller.
using TrainDescriptionSource = std::function<DescriptionText()>;

// The same, with the train description asked for only when its turn comes.
ReadingOutcome read_descriptions(Tables& t, const DescriptionText& line, const TrainDescriptionSource& train,
                              FaultSink& sink);

}  // namespace scenpack
