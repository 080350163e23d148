#include "driver/check.h"

#include <algorithm>
#include <climits>
#include <optional>

#include "driver/descriptions.h"
#include "driver/reading_stop.h"
#include "finish/cab_codes.h"
#include "finish/check_codes.h"
#include "finish/reserved_place_fault.h"
#include "readers/read_descriptions.h"

namespace scenpack {
namespace {

// Source order: the line description's findings, the train description's,
// then those of no description; within a description by line, the
// findings without a line last, each group in the order reported.
void sort_in_source_order(std::vector<Diagnostic>& list, const std::string& line, const std::string& train) {
  const auto group = [&](const Diagnostic& d) {
    if (d.where.file.empty()) return 2;
    if (d.where.file == line) return 0;
    return d.where.file == train ? 1 : 2;
  };
  const auto line_of = [](const Diagnostic& d) { return d.where.line == 0 ? INT_MAX : d.where.line; };
  std::stable_sort(list.begin(), list.end(), [&](const Diagnostic& a, const Diagnostic& b) {
    if (group(a) != group(b)) return group(a) < group(b);
    return line_of(a) < line_of(b);
  });
}

}  // namespace

CheckOutcome check_scenario(Tables& t, int32_t p, const CheckedText& line, const CheckedText& train,
                            size_t max_errors) {
  LoadedDescription line_text = load_description(system_disk(), line.path, line.shown);
  LoadedDescription train_text = load_description(system_disk(), train.path, train.shown);
  CheckOutcome out;
  for (const auto* d : {&line, &train}) {
    const LoadedDescription& loaded = d == &line ? line_text : train_text;
    if (!d->named || (loaded.file.present && loaded.file.status.is_ok())) continue;
    out.status = !loaded.file.status.is_ok() ? loaded.file.status
                 : loaded.file.irregular        ? Status::io_error("cannot read", d->shown, "not a regular file")
                                                : Status::io_error("cannot read", d->shown, "No such file or directory");
    return out;
  }

  CheckOutcome checked = check_descriptions(t, p, line_text.text(), train_text.text(), max_errors);
  checked.line_bytes = std::move(line_text.file.bytes);
  checked.train_bytes = std::move(train_text.file.bytes);
  return checked;
}

CheckOutcome check_descriptions(Tables& t, int32_t p, const DescriptionText& line, const DescriptionText& train,
                                size_t max_errors) {
  t.modo_percorso = p;
  t.error_state = ErrorState{};
  clear_records(t);
  FaultSink sink(t.error_state, FaultPolicy::kGoOn, max_errors);
  // check reads past a fault but for those that end the line description
  // (a route too long, none at all): the build stops there or before, so
  // what lies below is not in its files either.
  std::optional<ReadingStopped> stop;
  const LineReading line_read = read_line_part(t, line, sink);
  if (!line_read.train_follows && line.bytes && !sink.full() && t.error_state.where &&
      t.error_state.where->file == line.name) {
    stop = reading_stopped(*t.error_state.where, *line.bytes, DescriptionKind::kLine, true);
  }
  (void)read_train_part(t, line_read, train, sink);
  if (!sink.full()) {
    cab_code_pass(t, sink);
    // The reserved places are tested as the build tests them, without its
    // message box: a taken place is one more fault of the list.
    if (FaultCode taken = store_check_codes(t); taken != FaultCode::kNone) report_taken_reserved_place(t, taken, sink);
  }
  CheckOutcome out;
  out.diagnostics = sink.diagnostics();
  if (stop) {
    if (std::optional<Diagnostic> note = reading_stop_note(*stop)) out.diagnostics.push_back(std::move(*note));
  }
  sort_in_source_order(out.diagnostics, line.name, train.name);
  out.errors = sink.errors();
  out.warnings = sink.warnings();
  out.stopped = sink.full();
  return out;
}

}  // namespace scenpack
