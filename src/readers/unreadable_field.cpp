#include "readers/unreadable_field.h"

#include <algorithm>

namespace scenpack {

void locate(ReadFault& fault, TextPosition fallback) {
  if (fault.line != 0) return;
  fault.line = fallback.line;
  fault.column = fallback.column;
}

void skip_unreadable(FaultSink& sink, FieldReader& in, const std::string& name, const ReadFault& fault,
                     int record_line) {
  sink.fault(FaultCode::kReadingFault, 0, SourceLocation{name, fault.line, fault.column}, fault.what);
  if (in.at_end()) return;
  if (fault.took_next_row && in.field_line() > record_line) {
    in.back_to_field_line();
    sink.note(SourceLocation{name, in.field_line(), 0},
              "reading goes on with line " + std::to_string(in.field_line()));
    return;
  }
  const int skipped = std::max(fault.line, record_line);
  in.skip_past_line(skipped);
  sink.note(SourceLocation{name, skipped, 0},
            "the rest of line " + std::to_string(skipped) + " was skipped");
}

}  // namespace scenpack
