// The one run-time fault of reading: a field that is not a number, a value
// that does not fit its field, a read past the end, an index outside a table.
// Thrown inside the readers only and caught once where the descriptions are
// read, which deletes the working texts and records code 25.
#pragma once

#include <string>
#include <utility>

namespace scenpack {

struct ReadFault {
  std::string what;  // for diagnostics: "not a number: \"abc\""
  int line = 0;      // line of the field concerned, 0 if none
};

}  // namespace scenpack
