// A record refused on an occupied cell, said so that the author finds the
// cause: which part of the record landed in which cell, what the cell
// holds, and as a related place the record that put it there.
#pragma once

#include <cstdint>
#include <string>

#include "model/fault_sink.h"
#include "model/tables.h"

namespace scenpack {

// What of the refused record landed where.
struct Landing {
  std::string what;  // "the signal", "the warning cell of the slow order starting at 12450 m"
  int64_t cell = 0;
  int offset = 1;    // 1 when the record's positions give cell p / 50 + 1, 0 for p / 50
};

// Lists the fault `code` at `where` with its position unchanged: "the
// signal lands in cell 207 (10300-10349 m), which holds a text board",
// then the note "the text board placed there" at the text board's place.
void refuse_occupied(FaultSink& sink, const Tables& t, FaultCode code, int32_t position, SourceLocation where,
                     const Landing& landing);

}  // namespace scenpack
