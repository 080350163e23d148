// scenpack: packages the driving scenario into its compiled files.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/command_table.h"
#include "cli/commands.h"
#include "cli/help_text.h"
#include "cli/report.h"
#include "cli/scenario_settings.h"
#include "platform/file_system.h"
#include "platform/interruption.h"
#include "platform/process.h"

namespace scenpack {
namespace {

// Where the report goes once --report has been checked against the files
// of the run; unset until then, and when there is no --report.
std::optional<std::string> checked_report_path;

// A --report that names a file of the run, or something no report can be
// written into (a directory, a socket): refused, and nothing written.
bool refuse_report(const Arguments& a) {
  if (const std::string why = unfit_target(*a.report); !why.empty()) {
    std::fprintf(stderr, "scenpack: --report %s: %s\n", a.report->c_str(), why.c_str());
    return true;
  }
  const std::string file = run_file_under_report(a);
  if (file.empty()) return false;
  std::fprintf(stderr, "scenpack: --report %s names the run's own file %s, which the report would replace\n",
               a.report->c_str(), file.c_str());
  return true;
}

int write_report_and_exit(const RunReport& report) {
  if (checked_report_path) {
    if (Status s = write_report(*checked_report_path, report); !s.is_ok()) {
      std::fprintf(stderr, "scenpack: %s\n", s.message().c_str());
      if (report.exit_status != exit_status::kUsage && report.exit_status != exit_status::kInternal) {
        return exit_status::kIoError;
      }
    }
  }
  return report.exit_status;
}

int run_main(const std::vector<std::string>& words) {
  ParsedArguments parsed = parse_arguments(words);
  const Arguments& a = parsed.args;
  // A scenario file that cannot be used ends the command as a file that
  // cannot be read does; a PATH that neither names is a usage error.
  SettingsOutcome settings;
  if (parsed.error.empty()) settings = apply_scenario_file(parsed.args);
  if (settings.exit_status == exit_status::kUsage) parsed.error = settings.message;
  if (parsed.error.empty() && a.command == Subcommand::kHelp) {
    const CommandSpec* command = find_command(a.help_of);
    std::fputs((command ? command_help(*command) : global_help()).c_str(), stdout);
    return exit_status::kOk;
  }
  if (parsed.error.empty() && a.command == Subcommand::kVersion) {
    std::printf("scenpack %s\n", SCENPACK_VERSION);
    return exit_status::kOk;
  }
  RunReport report;
  if (!parsed.error.empty()) {
    report.exit_status = exit_status::kUsage;
    report.message = "scenpack: " + parsed.error;
    std::fprintf(stderr, "%s\nTry 'scenpack --help' for more information.\n", report.message.c_str());
  }
  // An empty --report is a usage error already, with nowhere to write it.
  if (a.report && !a.report->empty()) {
    if (refuse_report(a)) return exit_status::kUsage;
    checked_report_path = a.report;
  }
  if (parsed.error.empty() && settings.exit_status != exit_status::kOk) {
    report = ended(report, settings.exit_status, settings.message);
  } else if (parsed.error.empty()) {
    report = run_command(a);
  }
  return write_report_and_exit(report);
}

// Anything thrown out of the run: one line, the report (when its place has
// been checked), no temporary left behind, exit 70.
int internal_error(const char* what) noexcept {
  remove_unfinished_temporaries();
  std::fprintf(stderr, "scenpack: internal error: %s\n", what);
  try {
    RunReport report;
    report.exit_status = exit_status::kInternal;
    report.message = std::string("scenpack: internal error: ") + what;
    write_report_and_exit(report);
  } catch (...) {
    std::fputs("scenpack: the report could not be written either\n", stderr);
  }
  return exit_status::kInternal;
}

// The last resort when an exception cannot even be caught (one thrown from
// a destructor while unwinding, say): still no temporary left behind.
[[noreturn]] void on_terminate() noexcept {
  remove_unfinished_temporaries();
  std::fputs("scenpack: internal error: terminated\n", stderr);
  std::abort();
}

}  // namespace
}  // namespace scenpack

int main(int argc, char** argv) {
  using namespace scenpack;
  std::set_terminate(on_terminate);
  try {
    prepare_process();
    remove_temporaries_when_interrupted();
    return run_main(program_arguments(argc, argv));
  } catch (const std::exception& e) {
    return internal_error(e.what());
  } catch (...) {
    return internal_error("unknown exception");
  }
}
