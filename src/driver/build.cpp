#include "driver/build.h"

#include <limits>
#include <memory>
#include <optional>

#include "driver/descriptions.h"
#include "driver/output_files.h"
#include "finish/cab_codes.h"
#include "finish/check_codes.h"
#include "finish/reserved_place_fault.h"
#include "readers/read_descriptions.h"

namespace scenpack {
namespace {

// Deletes the working text when the reading asked for it and scenpack
// wrote it in this run (never for bytes given instead of it).
Status delete_if_ours(Disk& disk, bool asked, const WorkingText& text, const std::string& path) {
  if (!asked || !text.ours || text.given != nullptr) return Status::ok();
  return disk.remove_file(path);
}

// The description the build reads: the bytes given for it, or else the
// working text in DIR.
LoadedDescription load_input(Disk& disk, const WorkingText& text, const std::string& path,
                             const std::string& working_name) {
  const std::string& shown = text.shown.empty() ? working_name : text.shown;
  if (text.given != nullptr) return given_description(*text.given, shown);
  return load_description(disk, path, shown);
}

}  // namespace

BuildOutcome finish_build(Tables& t, const ScenarioFiles& files, FaultSink& sink, RouteMapWriting* map, Disk& disk) {
  BuildOutcome out;
  // With the route length never read there are no cells: the pass sees none
  // and cell 1's reserved values are skipped (store_check_codes).
  cab_code_pass(t, sink);
  if (FaultCode stop = store_check_codes(t); stop != FaultCode::kNone) {
    report_taken_reserved_place(t, stop, sink);
    out.stop_code = code_number(stop);
    return out;
  }
  out.status = write_output_files(t, files, &out.files_written, map, disk);
  return out;
}

BuildOutcome build_scenario(Tables& t, const ScenarioFiles& files, int32_t p, const BuildInputs& inputs, Disk& disk) {
  t.modo_percorso = p;
  t.error_state.codice_errore = 0;
  t.error_state.where.reset();
  t.error_state.own_position.reset();
  t.error_state.detail.clear();
  t.error_state.said.clear();
  t.error_state.related.clear();
  clear_records(t);

  const std::string line_path = files.path(files.line_text());
  const std::string train_path = files.path(files.train_text());
  LoadedDescription line = load_input(disk, inputs.line, line_path, files.line_text());

  FaultSink sink(t.error_state, FaultPolicy::kStopAtFirst, std::numeric_limits<size_t>::max(), Listing::kNoErrors);
  const LineReading line_read = read_line_part(t, line.text(), sink);
  // Under the build's policy a fault stops the reading of its description.
  std::vector<ReadingStopped> stops;
  const auto note_stop = [&](const DescriptionText& text, DescriptionKind kind, bool train_unread) {
    if (!t.error_state.where || t.error_state.where->file != text.name) return;
    if (auto stop = reading_stopped(*t.error_state.where, text.bytes.value_or(""), kind, train_unread)) {
      stops.push_back(std::move(*stop));
    }
  };
  if (sink.errors() > 0) note_stop(line.text(), DescriptionKind::kLine, !line_read.train_follows);
  const size_t errors_of_line = sink.errors();
  // The route map is complete once the line description is read: a copy
  // that nothing can change is written while the train description is read
  // and the cells finished, and put in place in its turn. The train
  // description is read from its file only then, while the map is being
  // written.
  std::optional<RouteMapWriting> map;
  std::optional<LoadedDescription> train;
  if (line_read.train_follows) {
    if (t.modo_percorso != 0) {
      try {
        map.emplace(std::make_shared<const RouteMap>(t.mappa), files.path(files.route_map()), disk);
      } catch (...) {
        // Written in its turn instead.
      }
    }
    train.emplace(load_input(disk, inputs.train, train_path, files.train_text()));
  }
  const ReadingOutcome read = read_train_part(t, line_read, train ? train->text() : DescriptionText{}, sink);
  if (train && sink.errors() > errors_of_line) note_stop(train->text(), DescriptionKind::kTrain, false);
  BuildOutcome out;
  out.status = delete_if_ours(disk, read.delete_line, inputs.line, line_path);
  if (out.status.is_ok()) out.status = delete_if_ours(disk, read.delete_train, inputs.train, train_path);
  if (!out.status.is_ok()) return out;

  std::vector<Diagnostic> warnings;
  for (const Diagnostic& d : sink.diagnostics()) {
    if (d.severity == Severity::kWarning) warnings.push_back(d);
  }
  out = finish_build(t, files, sink, map ? &*map : nullptr, disk);
  out.warnings = std::move(warnings);
  out.stops = std::move(stops);
  out.line_bytes = std::move(line.file.bytes);
  if (train) out.train_bytes = std::move(train->file.bytes);
  return out;
}

}  // namespace scenpack
