#include "readers/record_fields.h"

#include <utility>

namespace scenpack {

std::string RecordFields::name() const {
  std::string n = what_;
  if (position_) n += " at " + std::to_string(*position_);
  return n;
}

ReadFault RecordFields::described(ReadFault fault) const {
  const bool short_row = fault.problem == FieldProblem::kPastTheEnd ||
                         (fault.problem != FieldProblem::kNone && fault.line > keyword_.line);
  if (short_row) {
    const std::string instead = fault.problem == FieldProblem::kPastTheEnd
                                    ? "the file ends there"
                                    : "found \"" + fault.found + "\" on line " + std::to_string(fault.line);
    fault.what = name() + " has " + std::to_string(numbers_) + (numbers_ == 1 ? " number, " : " numbers, ") +
                 std::to_string(needed_) + " are needed (" + instead + ")";
    fault.took_next_row = fault.problem != FieldProblem::kPastTheEnd;
    fault.line = keyword_.line;
    fault.column = last_end_.column;
  } else if (fault.problem == FieldProblem::kNotANumber) {
    fault.what = name() + ": \"" + fault.found + "\" is not a number";
  } else if (fault.problem == FieldProblem::kTooWide) {
    fault.what = name() + ": " + fault.found + " does not fit its field";
  } else if (fault.line == 0) {
    // Raised while the record was applied: at the record's position.
    fault.what = name() + ": " + fault.what;
    fault.line = position_at().line;
    fault.column = position_at().column;
  }
  fault.problem = FieldProblem::kNone;  // described once
  return fault;
}

}  // namespace scenpack
