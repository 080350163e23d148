#include "cli/commands.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/check_command.h"
#include "cli/diff_command.h"
#include "cli/explain_command.h"
#include "cli/findings.h"
#include "cli/source_lines.h"
#include "cli/init_command.h"
#include "cli/inspect_command.h"
#include "cli/keywords_command.h"
#include "cli/lsp_command.h"
#include "cli/other_scenarios.h"
#include "cli/plot_command.h"
#include "cli/staging.h"
#include "driver/build.h"
#include "driver/scenario_texts.h"
#include "driver/startup.h"
#include "platform/desktop.h"
#include "platform/directory_lock.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/program_dir.h"
#include "platform/terminal.h"
#include "platform/window.h"
#include "view/summary.h"
#include "view/summary_output.h"

namespace scenpack {
namespace {

void print_line(const std::string& line) {
  std::fputs(line.c_str(), stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
}

// How a build shows its findings on stderr: in check's form, the file
// first, with the related places as notes; when stderr is a terminal also
// the source line and a caret under the column, as check shows them.
class FindingPrinter {
 public:
  FindingPrinter() = default;
  FindingPrinter(std::string line_name, std::string_view line_bytes, std::string train_name,
                 std::string_view train_bytes)
      : with_source_(stderr_is_terminal()),
        line_name_(std::move(line_name)),
        train_name_(std::move(train_name)),
        // The lines are found only where they are shown.
        line_lines_(with_source_ ? line_bytes : std::string_view()),
        train_lines_(with_source_ ? train_bytes : std::string_view()) {}

  void print(const Diagnostic& d) const {
    std::string text = with_source_ ? finding_text(d, source_of(d)) : finding_header(d) + "\n" + related_lines(d);
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
  }

 private:
  const SourceLines& source_of(const Diagnostic& d) const {
    if (d.where.file == line_name_) return line_lines_;
    return d.where.file == train_name_ ? train_lines_ : none_;
  }

  bool with_source_ = false;
  std::string line_name_, train_name_;
  SourceLines line_lines_, train_lines_, none_;
};

// The fault of the error state as check lists it, with its related places.
Diagnostic fault_finding(const ErrorState& e) {
  Diagnostic d(Severity::kError, static_cast<FaultCode>(e.codice_errore), e.own_position.value_or(0),
               e.where.value_or(SourceLocation{}), e.said.empty() ? e.detail : e.said);
  d.related = e.related;
  return d;
}

// build --summary: a build whose reading stopped is marked incomplete,
// one line for each place it stopped.
std::string incomplete_lines(const std::vector<ReadingStopped>& stops) {
  std::string lines;
  for (const ReadingStopped& stop : stops) {
    lines += "incomplete           the reading stopped at " + stop.where.file + ":" + std::to_string(stop.where.line);
    lines += (stop.lost.empty() ? "" : "; " + stop.lost) + "\n";
  }
  return lines;
}

// The common ending of run and build: the exit status from the build's
// outcome and the final fault state.
RunReport finish(RunReport r, const BuildOutcome& out, const Tables& t, const FindingPrinter& printer = {}) {
  r.error_state = t.error_state;
  r.files = out.files_written;
  if (!out.status.is_ok()) return ended(r, exit_status::kIoError, out.status.message());
  if (out.stop_code != 0) {
    r.exit_status = exit_status::kStopped;
    r.message = " Errore n. " + std::to_string(out.stop_code);
    show_message_box(r.message);
    // Then the record that took the reserved place, in check's form.
    if (t.error_state.where) printer.print(fault_finding(t.error_state));
    return r;
  }
  if (t.error_state.codice_errore != 0) {
    r.exit_status = exit_status::kFault;
    r.message = fault_message(t.error_state);
    printer.print(fault_finding(t.error_state));
    for (const ReadingStopped& stop : out.stops) {
      if (const std::optional<Diagnostic> note = reading_stop_note(stop)) printer.print(*note);
    }
    return r;
  }
  r.exit_status = exit_status::kOk;
  return r;
}

// The directory's lock, for the rest of the command: one run, emit or
// build at a time writes into a directory (check writes nothing and takes
// none). A second one waits, and says so once.
// A directory not there has nothing to keep apart: its absence is
// reported as the command reports it without a lock.
Status lock_directory(DirectoryLock& lock, const std::string& dir) {
  if (!directory_exists(dir)) return Status::ok();
  return lock.acquire(dir, [&] { print_line("scenpack: waiting for another build in " + dir + " to finish"); });
}

// SCENPACK_NO_GUI set to anything but "" or "0" keeps the desktop off.
bool desktop_turned_off_by_environment() {
  const char* v = std::getenv("SCENPACK_NO_GUI");
  return v != nullptr && std::strcmp(v, "") != 0 && std::strcmp(v, "0") != 0;
}

// The directory --dir names, made with its parents when it is not there yet
// (the commands that write into it).
Status create_named_directory(const Arguments& a) { return a.dir ? create_directories(*a.dir) : Status::ok(); }

RunReport run_scenario(const Arguments& a) {
  RunReport r;
  // The plain run is what a double click starts: it shows its window and
  // message box on the desktop, unless told not to.
  if (!a.quiet && !desktop_turned_off_by_environment()) enable_desktop();
  if (auto d = working_directory(a)) {
    r.dir = *d;
  } else {
    return ended(r, exit_status::kIoError, "cannot find the directory of the program");
  }
  if (Status s = create_named_directory(a); !s.is_ok()) return ended(r, exit_status::kIoError, s.message());
  DirectoryLock lock;
  if (Status s = lock_directory(lock, r.dir); !s.is_ok()) return ended(r, exit_status::kIoError, s.message());
  Tables t;
  RunOutcome out = run_startup(t, r.dir, a.quiet);
  r.texts = out.texts_written;
  return finish(r, out.build, t);
}

RunReport emit_texts(const Arguments& a) {
  RunReport r;
  r.dir = a.dir.value_or(".");
  const ScenarioFiles files{r.dir, kNomeScenario, kNumeroTreno};
  if (Status s = create_named_directory(a); !s.is_ok()) return ended(r, exit_status::kIoError, s.message());
  DirectoryLock lock;
  if (Status s = lock_directory(lock, r.dir); !s.is_ok()) return ended(r, exit_status::kIoError, s.message());
  if (Status s = write_scenario_texts(files, &r.texts); !s.is_ok()) {
    return ended(r, exit_status::kIoError, s.message());
  }
  return r;
}

// The bytes of --line and --train, read before the build. Nothing is
// copied into the directory: the build reads these bytes in place of the
// working texts, which stay as they are.
struct NamedInputs {
  std::string line;
  std::string train;
};

// Reads both named files before the build; a refusal changes nothing.
RunReport read_named_inputs(RunReport r, const Arguments& a, const ScenarioFiles& files, NamedInputs& named) {
  const std::vector<std::string> touched = {
      files.path(files.line_text()), files.path(files.train_text()), files.path(files.route_map()),
      files.path(files.records()),   files.path(files.cells())};
  const std::pair<const std::optional<std::string>*, std::string*> inputs[] = {{&a.line, &named.line},
                                                                              {&a.train, &named.train}};
  for (const auto& [source, bytes] : inputs) {
    if (!*source) continue;
    StageResult s = read_source(**source, touched, *bytes);
    if (s.error == StageError::kUsage) return ended(r, exit_status::kUsage, s.message);
    if (s.error != StageError::kNone) return ended(r, exit_status::kNoInput, s.message);
  }
  r.exit_status = exit_status::kOk;
  return r;
}

RunReport run_build(const Arguments& a) {
  RunReport r;
  r.dir = a.dir.value_or(".");
  const ScenarioFiles files{r.dir, a.name, a.number};
  // Without --line or --train the descriptions must be in DIR already: a
  // DIR not there is reported by their reading, not made empty.
  if (a.line || a.train) {
    if (Status s = create_named_directory(a); !s.is_ok()) return ended(r, exit_status::kIoError, s.message());
  }
  DirectoryLock lock;
  if (Status s = lock_directory(lock, r.dir); !s.is_ok()) return ended(r, exit_status::kIoError, s.message());
  NamedInputs named;
  r = read_named_inputs(r, a, files, named);
  if (r.exit_status != exit_status::kOk) return r;
  if (!a.quiet) show_waiting_window();
  Tables t;
  t.nome_scenario = a.name;
  t.numero_treno = a.number;
  // --line and --train are read where they are and kept, their faults
  // naming the file as the user wrote it; texts an author left in the
  // directory are read and kept too.
  BuildInputs inputs;
  inputs.line = WorkingText{a.line.value_or(""), false, a.line ? &named.line : nullptr};
  inputs.train = WorkingText{a.train.value_or(""), false, a.train ? &named.train : nullptr};
  BuildOutcome out = build_scenario(t, files, a.no_map ? 0 : 1, inputs);
  // Warnings as a compiler prints them; they change nothing else.
  const FindingPrinter printer(a.line.value_or(files.line_text()), a.line ? named.line : out.line_bytes,
                               a.train.value_or(files.train_text()), a.train ? named.train : out.train_bytes);
  for (const Diagnostic& d : out.warnings) {
    if (warning_shown(a, d.warning)) printer.print(d);
  }
  r = finish(r, out, t, printer);
  if (r.exit_status == exit_status::kFault) {
    const std::string hint = other_scenarios_hint(files, a.line.has_value(), a.train.has_value());
    if (!hint.empty()) print_line("scenpack: note: " + hint);
  }
  // What landed, when something was written.
  if (a.summary && (r.exit_status == exit_status::kOk || r.exit_status == exit_status::kFault)) {
    std::string text = summary_text(summarize(compiled_from_tables(t)));
    text.insert(text.find('\n') + 1, incomplete_lines(out.stops));
    std::fwrite(text.data(), 1, text.size(), stdout);
  }
  return r;
}

}  // namespace

std::optional<std::string> working_directory(const Arguments& a) {
  if (a.dir) return a.dir;
  if (a.command != Subcommand::kRun) return ".";
  // A copy in a build or unzip folder writes beside itself, as a double
  // click expects; an installed program, where it usually cannot write,
  // into the current directory.
  std::optional<std::string> program_dir = program_directory();
  if (program_dir && is_installed_location(*program_dir)) return ".";
  return program_dir;
}

std::string run_file_under_report(const Arguments& a) {
  if (!a.report) return "";
  const std::optional<std::string> dir = working_directory(a);
  if (!dir) return "";
  const bool build = a.command == Subcommand::kBuild;
  const ScenarioFiles files{*dir, build ? a.name : kNomeScenario, build ? a.number : kNumeroTreno};
  std::vector<std::string> run_files = files.every_path();
  if (a.command != Subcommand::kCheck) run_files.push_back(files.path(kLockFileName));
  for (const auto* source : {&a.line, &a.train}) {
    if (*source) run_files.push_back(**source);
  }
  return run_file_under_report(*a.report, run_files);
}

RunReport ended(RunReport r, int status, const std::string& what) {
  r.exit_status = status;
  if (!what.empty()) {
    r.message = "scenpack: " + what;
    print_line(r.message);
  }
  return r;
}

RunReport run_command(const Arguments& a) {
  switch (a.command) {
    case Subcommand::kEmit: return emit_texts(a);
    case Subcommand::kBuild: return run_build(a);
    case Subcommand::kInspect: return inspect_compiled(a);
    case Subcommand::kCheck: {
      RunReport r;
      r.exit_status = run_check(a);
      return r;
    }
    case Subcommand::kPlot: return plot_route(a);
    case Subcommand::kDiff: return diff_scenarios(a);
    case Subcommand::kInit: return start_scenario(a);
    case Subcommand::kLsp: {
      RunReport r;
      r.exit_status = run_language_server();
      return r;
    }
    case Subcommand::kKeywords: {
      const std::string text = keywords_listing(a.json);
      std::fwrite(text.data(), 1, text.size(), stdout);
      RunReport r;
      r.exit_status = exit_status::kOk;
      return r;
    }
    case Subcommand::kExplain: {
      const Explanation e = explain(a.operands.front());
      if (!e.error.empty()) return ended(RunReport{}, exit_status::kUsage, e.error);
      std::fwrite(e.text.data(), 1, e.text.size(), stdout);
      RunReport r;
      r.exit_status = exit_status::kOk;
      return r;
    }
    default: return run_scenario(a);
  }
}

}  // namespace scenpack
