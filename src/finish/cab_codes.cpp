#include "finish/cab_codes.h"

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

#include "finish/code_point_faults.h"
#include "model/cell_roles.h"

namespace scenpack {
namespace {


constexpr int64_t kWarningLookBack = 20;  // cells looked at before a warning cell
constexpr int64_t kFirstSignalCell = 3;   // the look-back stops below this cell
constexpr int16_t kFastSlowdown = 110;    // slowdowns this fast get no walk
constexpr int64_t kWalkStep = 8;          // cells between code points along a slowdown
constexpr int64_t kSignalLookAhead = 12;  // cells after the end searched for a signal

bool free_at(const Tables& t, int64_t k) {
  const Cella* c = cell_at(t, k);
  return c != nullptr && is_free(*c);
}

bool kind_at(const Tables& t, int64_t k, uint8_t tipo) {
  const Cella* c = cell_at(t, k);
  return c != nullptr && c->tipo == tipo;
}

// Marks the code point in cell k for the slow order whose warning or start
// cell is `slow_order`, recorded as its origin for later messages.
void mark(Tables& t, int64_t k, int64_t slow_order) {
  Cella& c = *cell_at(t, k);  // callers mark only cells they found free
  c.tipo = kind::kCodePoint;
  CodePointCell{c}.cab_code() = kCabCode;
  t.origins.record_as(k, slow_order, CellPart::kCodePointOfSlowOrder);
}

// Marks the first free cell of `cells`, in order; false when none is free.
bool mark_first_free(Tables& t, int64_t slow_order, std::initializer_list<int64_t> cells) {
  for (int64_t k : cells) {
    if (free_at(t, k)) {
      mark(t, k, slow_order);
      return true;
    }
  }
  return false;
}

// A code point one or two cells before the signal at k, ahead of the
// warning cell i: a free cell is marked, else an existing code point takes
// the smaller code.
void code_point_before_signal(Tables& t, CodePointFaults& faults, int64_t i, int64_t k) {
  if (mark_first_free(t, i, {k - 1, k - 2})) return;
  for (int64_t p : {k - 1, k - 2}) {
    if (kind_at(t, p, kind::kCodePoint)) {
      const CodePointCell point{*cell_at(t, p)};
      point.cab_code() = std::min(kCabCode, point.cab_code());
      return;
    }
  }
  faults.report({.need = CodePointNeed::kBeforeSignalAheadOfWarning, .slow_order = i, .at = k,
                 .first = k - 2, .last = k - 1, .signal = k});
}

// Rule A: every signal in the 20 cells before the warning cell i.
void signals_before_warning(Tables& t, CodePointFaults& faults, int64_t i) {
  for (int64_t j = 1; j <= kWarningLookBack; ++j) {
    const int64_t k = i - j;
    if (k < kFirstSignalCell) break;
    if (kind_at(t, k, kind::kSignal)) code_point_before_signal(t, faults, i, k);
  }
}

// Rules B, C and D: the three windows before the slowdown start i.
void windows_before_start(Tables& t, CodePointFaults& faults, int64_t i) {
  struct Window {
    int64_t above;  // the rule applies when i is above this
    int64_t near;   // nearest cell of the window, counted back from i
  };
  for (Window w : {Window{7, 5}, Window{13, 11}, Window{20, 18}}) {
    if (i <= w.above) continue;
    if (!mark_first_free(t, i, {i - w.near, i - w.near - 1, i - w.near - 2})) {
      faults.report({.need = CodePointNeed::kWindowBeforeStart, .slow_order = i, .at = i,
                     .first = i - w.near - 2, .last = i - w.near});
    }
  }
}

// The cells the pass works from, in order, found in one scan before it
// starts: the slowdown warnings and starts (kinds 4 and 3) of cells 1 to the
// last cell but two, and every slowdown end (kind 2). The pass marks only
// free cells, so it never places or removes a cell of these kinds.
struct SlowdownCells {
  std::vector<int64_t> warnings_and_starts;
  std::vector<int64_t> ends;
};

SlowdownCells slowdown_cells(const Tables& t) {
  SlowdownCells found;
  const auto last = static_cast<int64_t>(t.celle.size()) - 1;
  for (int64_t k = 0; k <= last; ++k) {
    const uint8_t tipo = t.celle[static_cast<size_t>(k)].tipo;
    if (tipo == kind::kSlowdownEnd) {
      found.ends.push_back(k);
    } else if ((tipo == kind::kSlowdownWarning || tipo == kind::kSlowdownStart) && k >= 1 && k <= last - 2) {
      found.warnings_and_starts.push_back(k);
    }
  }
  return found;
}

// The slowdown end cells, in order.
class EndCells {
 public:
  explicit EndCells(std::vector<int64_t> cells) : cells_(std::move(cells)) {}
  // The first end cell after cell j, if any.
  std::optional<int64_t> first_after(int64_t j) const {
    auto it = std::upper_bound(cells_.begin(), cells_.end(), j);
    if (it == cells_.end()) return std::nullopt;
    return *it;
  }

 private:
  std::vector<int64_t> cells_;
};

// Rule E: walks from the slowdown start i to its end cell, a code point on
// every 8th cell. Returns the end cell, or nothing when the walk reached
// the last cell without meeting one (fault 13 there).
//
// Once a step has found no cell for its code point the walk places nothing
// more and only looks for the end cell: it goes straight to the next one
// (or to the last cell) instead of stepping there cell by cell. So a walk
// costs a few steps per code point it places, and a slowdown without an end
// cell costs no pass over the rest of the table.
std::optional<int64_t> walk_slowdown(Tables& t, CodePointFaults& faults, const EndCells& ends, int64_t i) {
  const int64_t last = static_cast<int64_t>(t.celle.size()) - 1;
  int64_t counter = 0;
  int64_t j = i;
  for (;;) {
    ++j;
    ++counter;
    if (counter == kWalkStep) {
      if (free_at(t, j)) {
        mark(t, j, i);
        counter = 0;
      } else if (free_at(t, j - 1)) {
        mark(t, j - 1, i);
        counter = 1;
      } else if (free_at(t, j + 1)) {  // beyond the last cell: never free
        mark(t, j + 1, i);
        counter = -1;
      } else {
        // The counter stays past 8: no further point on this walk.
        faults.report({.need = CodePointNeed::kAlongSlowOrder, .slow_order = i, .at = j, .first = j - 1, .last = j + 1});
      }
    }
    if (kind_at(t, j, kind::kSlowdownEnd)) return j;
    if (j >= last) {
      faults.report({.need = CodePointNeed::kNoEndAfterStart, .slow_order = i, .at = j});
      return std::nullopt;
    }
    if (counter >= kWalkStep) {
      if (std::optional<int64_t> end = ends.first_after(j)) return end;
      faults.report({.need = CodePointNeed::kNoEndAfterStart, .slow_order = i, .at = last});
      return std::nullopt;
    }
  }
}

// Rule F: a code point before the first signal in the end cell and the 12
// cells after it (clipped at the last cell).
void signal_after_end(Tables& t, CodePointFaults& faults, int64_t i, int64_t end) {
  const int64_t last = static_cast<int64_t>(t.celle.size()) - 1;
  const int64_t stop = std::min(end + kSignalLookAhead, last);
  int64_t s = 0;
  for (int64_t m = end; m <= stop; ++m) {
    if (kind_at(t, m, kind::kSignal)) {
      s = m - 1;
      break;
    }
  }
  if (s > 0 && !mark_first_free(t, i, {s, s - 1})) {
    faults.report({.need = CodePointNeed::kBeforeSignalAfterEnd, .slow_order = i, .at = end,
                   .first = s - 1, .last = s, .signal = s + 1});
  }
}

void slowdown_start(Tables& t, CodePointFaults& faults, const EndCells& ends, int64_t i) {
  windows_before_start(t, faults, i);
  if (SlowOrderCell{*cell_at(t, i)}.speed_kmh() >= kFastSlowdown) return;
  if (std::optional<int64_t> end = walk_slowdown(t, faults, ends, i)) signal_after_end(t, faults, i, *end);
}

}  // namespace

void cab_code_pass(Tables& t, FaultSink& sink) {
  SlowdownCells found = slowdown_cells(t);
  const EndCells ends(std::move(found.ends));
  CodePointFaults faults(t, sink);
  for (int64_t i : found.warnings_and_starts) {
    const uint8_t tipo = cell_at(t, i)->tipo;
    if (tipo == kind::kSlowdownWarning) signals_before_warning(t, faults, i);
    if (tipo == kind::kSlowdownStart) slowdown_start(t, faults, ends, i);
  }
  faults.word_last();
}

}  // namespace scenpack
