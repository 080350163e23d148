// The faults of the cab-code pass in the author's terms: which slow order
// (or signal) needed the code point, where it was sought and what holds
// those cells, each with its place in the descriptions.
//
// A long route can record tens of thousands of these faults, while the
// build shows only the last one: a fault is worded where the sink lists it,
// and otherwise only the last one, once the pass is over.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/errors.h"
#include "model/fault_sink.h"
#include "model/tables.h"

namespace scenpack {

// Which code point found no free cell.
enum class CodePointNeed : uint8_t {
  kBeforeSignalAheadOfWarning,  // 11: 1 or 2 cells before a signal ahead of a warning cell
  kWindowBeforeStart,           // 12: one of the three windows before a start
  kAlongSlowOrder,              // 13: the 8th cell of the walk or a neighbour
  kNoEndAfterStart,             // 13: the walk met no end cell up to the last cell
  kBeforeSignalAfterEnd,        // 13: 1 or 2 cells before the first signal after the end
};

struct CodePointFault {
  CodePointNeed need;
  int64_t slow_order;  // the slow order's warning cell (11), else its start cell
  int64_t at;          // the cell whose number x 50 is the fault's position
  int64_t first = 0;   // the cells sought, first to last (may pass the table)
  int64_t last = 0;
  int64_t signal = 0;  // the signal's cell, for the two needs before a signal
};

class CodePointFaults {
 public:
  CodePointFaults(const Tables& t, FaultSink& sink) : t_(t), sink_(sink) {}
  // Records the fault (its code and position as the pass always has), worded
  // where the sink lists it. Inline: the dense route's pass reports tens of
  // thousands that no one lists.
  void report(const CodePointFault& f) {
    if (sink_.lists_errors()) {
      report_worded(f);
      return;
    }
    sink_.fault(code_of(f.need), static_cast<int32_t>(f.at * kCellLength));
    unworded_ = f;
    has_unworded_ = true;
  }
  // Words the last fault reported, when it went unworded, in the error state.
  void word_last();

 private:
  static constexpr FaultCode code_of(CodePointNeed need) {
    switch (need) {
      case CodePointNeed::kBeforeSignalAheadOfWarning: return FaultCode::kSignalWithoutCodePoint;
      case CodePointNeed::kWindowBeforeStart: return FaultCode::kStartWindowTaken;
      case CodePointNeed::kAlongSlowOrder:
      case CodePointNeed::kNoEndAfterStart:
      case CodePointNeed::kBeforeSignalAfterEnd: return FaultCode::kSlowdownPointTaken;
    }
    return FaultCode::kSlowdownPointTaken;
  }
  void report_worded(const CodePointFault& f);

  const Tables& t_;
  FaultSink& sink_;
  CodePointFault unworded_{};
  bool has_unworded_ = false;
};

// The fault said at the place of the record that needed the code point:
// nothing when the slow order's place is not known (a table made without
// reading descriptions).
struct WordedFault {
  SourceLocation where;
  std::string said;
  std::vector<RelatedPlace> related;
};
std::optional<WordedFault> word_code_point_fault(const Tables& t, const CodePointFault& f);

}  // namespace scenpack
