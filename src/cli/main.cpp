// scenpack: packages the driving scenario into its compiled files.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/report.h"
#include "platform/process.h"

int main(int argc, char** argv) {
  using namespace scenpack;
  prepare_process();
  const ParsedArguments parsed = parse_arguments(program_arguments(argc, argv));
  const Arguments& a = parsed.args;
  RunReport report;
  if (!parsed.error.empty()) {
    report.exit_status = exit_status::kUsage;
    report.message = "scenpack: " + parsed.error;
    std::fprintf(stderr, "%s\nTry 'scenpack --help' for more information.\n", report.message.c_str());
  } else if (a.command == Subcommand::kHelp) {
    std::fputs(usage_text().c_str(), stdout);
    return exit_status::kOk;
  } else if (a.command == Subcommand::kVersion) {
    std::printf("scenpack %s\n", SCENPACK_VERSION);
    return exit_status::kOk;
  } else {
    report = run_command(a);
  }

  if (a.report && !report.report_refused) {
    if (Status s = write_report(*a.report, report); !s.is_ok()) {
      std::fprintf(stderr, "scenpack: %s\n", s.message().c_str());
      if (report.exit_status != exit_status::kUsage) return exit_status::kIoError;
    }
  }
  return report.exit_status;
}
