// Showing what check found: a compiler-style listing with the source line
// and a caret under the field, or one JSON array.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "cli/source_lines.h"
#include "model/fault_sink.h"

namespace scenpack {

// "FILE:LINE:COLUMN: error: Errore n. C, posizione P: explanation" (the
// parts of the place that are not known left out, "scenpack:" for a finding
// of no file), "...: warning: text" or "...: note: text".
std::string finding_header(const Diagnostic& d);

// The header, then, when the finding has a line of `source`, that line and
// a caret under its column, then a note for each related place. Every line
// ends with "\n".
// Control bytes are shown as "^[" (see terminal_text).
std::string finding_text(const Diagnostic& d, const SourceLines& source);
// The same without the related places' notes.
std::string finding_with_source(const Diagnostic& d, const SourceLines& source);
// "FILE:LINE:COLUMN: note: message\n" for each related place.
std::string related_lines(const Diagnostic& d);

// "3 errors, 1 warning"
std::string summary_line(size_t errors, size_t warnings);

// [{"file": ..., "line": N, "column": N, "severity": "error", "code": C,
//   "position": P, "message": "...", "warning": "name" (warnings only),
//   "related": [{"file", "line", "column", "message"}, ...],
//   "fix": {"file", "line", "column", "end_column", "replacement"} (when
//   the warning has one mend)}, ...]
std::string findings_json(const std::vector<Diagnostic>& list);

}  // namespace scenpack
