#include "readers/record_fields.h"

#include <utility>

#include "readers/record_catalogue.h"

namespace scenpack {

std::string RecordFields::name() const {
  std::string n = what_;
  if (position_) n += " at " + std::to_string(*position_);
  return n;
}

std::string RecordFields::field_name() const {
  for (DescriptionKind d : {DescriptionKind::kTrain, DescriptionKind::kLine}) {
    const RecordInfo* r = record_named(d, keyword_text_);
    if (!r || numbers_ < 0 || static_cast<size_t>(numbers_) >= r->fields.size()) continue;
    const FieldInfo& f = r->fields[static_cast<size_t>(numbers_)];
    const std::string_view words = f.meaning.substr(0, f.meaning.find(" ("));
    // A meaning of spelt-out letters ("t p s") says less than the name.
    if (words.size() <= 5) return "the field " + std::string(f.name);
    return words.substr(0, 4) == "the " ? std::string(words) : "the " + std::string(words);
  }
  return "";
}

std::string RecordFields::width_and_range() const {
  switch (reading_) {
    case Width::kByte: return "a byte, 0 to 255";
    case Width::kInteger: return "an integer, -32768 to 32767";
    case Width::kLong: break;
  }
  return "a long integer, -2147483648 to 2147483647";
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
    const std::string field = field_name();
    fault.what = name() + ": " + (field.empty() ? "" : field + " ") + fault.found + " does not fit its field (" +
                 width_and_range() + ")";
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
