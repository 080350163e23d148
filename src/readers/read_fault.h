// The one run-time fault of reading: a field that is not a number, a value
// that does not fit its field, a read past the end, an index outside a table.
// Thrown inside the readers only and caught once where the descriptions are
// read, which deletes the working texts and records code 25.
#pragma once

#include <string>
#include <utility>

namespace scenpack {

// What the field reader met, for messages that say what was found.
enum class FieldProblem { kNone, kNotANumber, kTooWide, kPastTheEnd };

struct ReadFault {
  explicit ReadFault(std::string what_, int line_ = 0, int column_ = 0, FieldProblem problem_ = FieldProblem::kNone,
                     std::string found_ = {})
      : what(std::move(what_)), line(line_), column(column_), problem(problem_), found(std::move(found_)) {}

  std::string what;  // for diagnostics: "not a number: \"abc\""
  int line = 0;      // line of the field concerned, 0 if none
  int column = 0;    // column where that field starts, 0 if none
  FieldProblem problem = FieldProblem::kNone;  // set by the field reader
  std::string found;                           // the field's text, for kNotANumber and kTooWide
  bool took_next_row = false;  // the field read belongs to the row after the record's
};

}  // namespace scenpack
