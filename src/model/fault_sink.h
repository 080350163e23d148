// Where the readers and the cab-code pass report what they find. The sink
// records every fault in the build's error state (a later fault overwrites
// an earlier one) and lists every fault, warning and note in the order
// reported. Its policy says what the readers do after a fault:
//  - kStopAtFirst, the build's: stop reading the description as the build
//    always has (and delete what the build deletes);
//  - kGoOn, check's: skip the refused record, store nothing of it, and read
//    on, up to a limit of errors.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/errors.h"
#include "model/warning_kinds.h"

namespace scenpack {

enum class FaultPolicy { kStopAtFirst, kGoOn };

enum class Severity { kError, kWarning, kNote };

// What the sink lists beside recording each fault in the error state. The
// build shows only the warnings (its faults reach the user through the
// error state), so it need not keep a list entry for each of the many
// faults a long route's cab-code pass can record.
enum class Listing { kEverything, kNoErrors };

// A warning's one mechanical mend: the bytes from `where` (its line and
// column) up to `end_column` on the same line are replaced by
// `replacement` (an empty range inserts it).
struct Fix {
  SourceLocation where;
  int end_column = 0;  // 1-based, just past the last byte replaced
  std::string replacement;
};

// One listed finding.
struct Diagnostic {
  Diagnostic() = default;
  Diagnostic(Severity s, FaultCode c, int32_t p, SourceLocation w, std::string m,
             WarningName name = WarningName::kNone)
      : severity(s), code(c), position(p), where(std::move(w)), message(std::move(m)), warning(name) {}

  Severity severity = Severity::kError;
  FaultCode code = FaultCode::kNone;        // errors only
  int32_t position = 0;                     // the position the fault itself set, else 0
  SourceLocation where;                     // file "" for a finding of no description
  std::string message;                      // the explanation
  WarningName warning = WarningName::kNone;  // warnings only
  std::vector<RelatedPlace> related;        // shown as notes after the finding
  std::optional<Fix> fix;                   // warnings with one mend
};

class FaultSink {
 public:
  FaultSink(ErrorState& state, FaultPolicy policy,
            size_t max_errors = std::numeric_limits<size_t>::max(), Listing listing = Listing::kEverything)
      : state_(state), policy_(policy), listing_(listing), max_errors_(max_errors) {}

  // Records the fault in the error state and lists it (counts it only, with
  // Listing::kNoErrors). `detail` says what was found; empty, the code's
  // explanation is listed.
  void fault(FaultCode code, int32_t position, SourceLocation where, std::string detail = {},
             std::vector<RelatedPlace> related = {});
  // A fault said in more words than the report's message keeps: the error
  // state keeps the code's explanation for the report, and `said` for
  // check's listing and build's stderr. `where` may have no file.
  void fault_said(FaultCode code, int32_t position, SourceLocation where, std::string said,
                  std::vector<RelatedPlace> related = {});
  // A fault of no description (the cab-code pass, the check codes).
  // Builds nothing the build's listing would drop: no location, no text.
  void fault(FaultCode code, int32_t position = 0);
  // Says the last recorded fault in more words, in the error state only:
  // nothing is listed or counted, its code and position stay. For a pass
  // that records many faults the sink does not list (lists_errors() false)
  // and words only the one the error state keeps.
  void say_last(SourceLocation where, std::string said, std::vector<RelatedPlace> related);

  void warning(WarningName name, SourceLocation where, std::string message, std::optional<Fix> fix = std::nullopt,
               std::vector<RelatedPlace> related = {});
  void note(SourceLocation where, std::string message);

  // True when the readers skip a refused record and read on.
  bool goes_on() const { return policy_ == FaultPolicy::kGoOn && !full(); }
  // True once the limit of errors has been listed.
  bool full() const { return errors_ >= max_errors_; }
  // True while a fault reported now is listed with its words.
  bool lists_errors() const { return listing_ == Listing::kEverything && !full(); }
  FaultPolicy policy() const { return policy_; }

  const std::vector<Diagnostic>& diagnostics() const { return listed_; }
  size_t errors() const { return errors_; }
  size_t warnings() const { return warnings_; }

 private:
  ErrorState& state_;
  FaultPolicy policy_;
  Listing listing_;
  size_t max_errors_;
  size_t errors_ = 0;
  size_t warnings_ = 0;
  std::vector<Diagnostic> listed_;
};

}  // namespace scenpack
