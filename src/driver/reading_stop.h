// What a reading that stopped at a fault leaves out of the compiled files,
// said as a note on the line where it stopped.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/fault_sink.h"
#include "readers/record_catalogue.h"

namespace scenpack {

// Where a reading stopped and what the compiled files therefore lack.
struct ReadingStopped {
  SourceLocation where;  // the fault's place
  // "3 signals, 2 slow orders and 1 station below are not in the compiled
  // files", "" when nothing below the line (nor the train description) is lost.
  std::string lost;
};

// The stop at `where` in a description whose bytes are `text`, with the
// train description left unread as a whole when `train_unread`. None when
// the fault has no line.
std::optional<ReadingStopped> reading_stopped(const SourceLocation& where, std::string_view text,
                                              DescriptionKind kind, bool train_unread);

// "FILE:LINE:COLUMN: note: the reading stopped here; LOST"; none when
// nothing is lost.
std::optional<Diagnostic> reading_stop_note(const ReadingStopped& stop);

}  // namespace scenpack
