#include "finish/code_point_faults.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "model/cell_roles.h"
#include "readers/track_position.h"

namespace scenpack {
namespace {

// The pass's cells are named as a slow order's and a signal's are: cell c
// from (c - 1) x 50 m.
constexpr int kPassOffset = 1;

// "12100-12249 m": the metres of cells first to last.
std::string metres_of_cells(int64_t first, int64_t last) {
  const int64_t from = (first - kPassOffset) * kCellLength;
  const int64_t to = (last - kPassOffset) * kCellLength + kCellLength - 1;
  return std::to_string(from) + "-" + std::to_string(to) + " m";
}

std::string metres_of_cell(int64_t cell) { return metres_of_cells(cell, cell); }

// "cells 243-245 (12100-12249 m)", or one cell as cell_and_metres names it.
std::string cells_and_metres(int64_t first, int64_t last) {
  if (first == last) return cell_and_metres(first, kPassOffset);
  return "cells " + std::to_string(first) + "-" + std::to_string(last) + " (" + metres_of_cells(first, last) + ")";
}

// "cells 205-206 (10200-10299 m) hold a speed board and a signal" ("each
// hold a signal" when all hold the same), for the cells sought that lie in
// the table.
std::string what_holds(const Tables& t, int64_t first_sought, int64_t last) {
  const int64_t first = std::max<int64_t>(first_sought, 0);
  const int64_t end = std::min(last, static_cast<int64_t>(t.celle.size()) - 1);
  if (end < first) return cells_and_metres(first, last) + " lie past the last cell";
  std::string held;
  bool all_alike = true;
  for (int64_t k = first; k <= end; ++k) {
    if (k > first) held += k == end ? " and " : ", ";
    held += held_by_kind(cell_at(t, k)->tipo);
    all_alike = all_alike && cell_at(t, k)->tipo == cell_at(t, first)->tipo;
  }
  const std::string cells = cells_and_metres(first, end);
  if (first == end) return cells + " holds " + held;
  if (all_alike) return cells + " each hold " + held_by_kind(cell_at(t, first)->tipo);
  return cells + " hold " + held;
}

// The records that put what the sought cells hold there, each place once.
void add_holders(const Tables& t, int64_t first, int64_t last, std::vector<RelatedPlace>& related) {
  for (int64_t k = first; k <= last; ++k) {
    std::optional<RelatedPlace> origin = t.origins.origin(k);
    if (!origin) continue;
    const bool known = std::any_of(related.begin(), related.end(), [&](const RelatedPlace& r) {
      return r.message == origin->message && r.where.file == origin->where.file &&
             r.where.line == origin->where.line && r.where.column == origin->where.column;
    });
    if (!known) related.push_back(std::move(*origin));
  }
}

std::string metres(int64_t m) { return std::to_string(m) + " m"; }

// Why the walk from the start of `span` met no end cell.
std::string why_no_end(const SlowOrderSpan& span) {
  const int64_t end = static_cast<int64_t>(span.start) + span.length;
  const std::string length = "its length of " + metres(span.length) + " ends it ";
  const double start_cell = cell_number(span.start, kPassOffset);
  const double end_cell = cell_number(end, kPassOffset);
  if (end_cell < start_cell) return " (" + length + "at " + metres(end) + ", before its start)";
  if (end_cell == start_cell) return " (" + length + "in its start cell)";
  return "";
}

std::string said_of(const Tables& t, const CodePointFault& f, const std::string& slow_order) {
  const std::string held = what_holds(t, f.first, f.last);
  switch (f.need) {
    case CodePointNeed::kBeforeSignalAheadOfWarning:
      return "no free cell for a code point before the signal in " + cell_and_metres(f.signal, kPassOffset) +
             ", ahead of the warning cell of " + slow_order + ": " + held;
    case CodePointNeed::kWindowBeforeStart:
      return "no free cell for a code point " + std::to_string(f.slow_order - f.last) + " to " +
             std::to_string(f.slow_order - f.first) + " cells before " + slow_order + ": " + held;
    case CodePointNeed::kAlongSlowOrder:
      return "no free cell for a code point along " + slow_order + ", which needs one every 8 cells (400 m): " +
             held + "; it gets no more along it";
    case CodePointNeed::kNoEndAfterStart:
      return "no end cell follows the start of " + slow_order + why_no_end(t.origins.span(f.slow_order)) +
             ": its code points every 8 cells were sought up to the last track cell, " + std::to_string(f.at) +
             " (" + metres_of_cell(f.at) + "), past the route's end";
    case CodePointNeed::kBeforeSignalAfterEnd:
      return "no free cell for a code point before the signal in " + cell_and_metres(f.signal, kPassOffset) +
             ", the first within 12 cells (600 m) after the end of " + slow_order + ": " + held;
  }
  return "";
}

}  // namespace

std::optional<WordedFault> word_code_point_fault(const Tables& t, const CodePointFault& f) {
  const CellPart part = t.origins.part(f.slow_order);
  if (part != CellPart::kSlowOrderStart && part != CellPart::kSlowOrderWarning) return std::nullopt;
  std::optional<RelatedPlace> slow_order = t.origins.origin(f.slow_order);
  if (!slow_order) return std::nullopt;
  WordedFault worded;
  worded.where = slow_order->where;
  worded.said =
      said_of(t, f, "the slow order starting at " + metres(t.origins.span(f.slow_order).start));
  if (f.need == CodePointNeed::kBeforeSignalAheadOfWarning) {
    // The fault stands at the signal that needs the code point; the slow
    // order whose warning makes it needed is the note.
    if (std::optional<SourceLocation> signal = t.origins.place(f.signal)) {
      worded.where = std::move(*signal);
      worded.related.push_back(
          RelatedPlace{slow_order->where, "the slow order whose warning cell lies within 1000 m after the signal"});
    }
  } else if (f.need == CodePointNeed::kBeforeSignalAfterEnd) {
    if (std::optional<RelatedPlace> signal = t.origins.origin(f.signal)) worded.related.push_back(std::move(*signal));
  }
  if (f.need != CodePointNeed::kNoEndAfterStart) add_holders(t, f.first, f.last, worded.related);
  return worded;
}

void CodePointFaults::report_worded(const CodePointFault& f) {
  has_unworded_ = false;
  const FaultCode code = code_of(f.need);
  const auto position = static_cast<int32_t>(f.at * kCellLength);
  if (std::optional<WordedFault> worded = word_code_point_fault(t_, f)) {
    sink_.fault_said(code, position, std::move(worded->where), std::move(worded->said), std::move(worded->related));
  } else {
    sink_.fault(code, position);
  }
}

void CodePointFaults::word_last() {
  if (!has_unworded_) return;
  has_unworded_ = false;
  if (std::optional<WordedFault> worded = word_code_point_fault(t_, unworded_)) {
    sink_.say_last(std::move(worded->where), std::move(worded->said), std::move(worded->related));
  }
}

}  // namespace scenpack
