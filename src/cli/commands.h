// Running one parsed command line: the run, emit and build commands, with
// their exit status, their lines on stderr and the --report content.
#pragma once

#include <optional>
#include <string>

#include "cli/arguments.h"
#include "cli/report.h"

namespace scenpack {

namespace exit_status {
constexpr int kOk = 0;          // no fault recorded
constexpr int kFault = 1;       // a fault recorded, the outputs written
constexpr int kDifferent = 1;   // diff: the two scenarios differ
constexpr int kStopped = 2;     // 1250 / 1251: nothing written
constexpr int kUsage = 64;
constexpr int kDataError = 65;  // a compiled file does not fit its format
constexpr int kNoInput = 66;    // a file named on the command line cannot be read
constexpr int kIoError = 74;    // a file cannot be created, written, renamed or deleted
constexpr int kInternal = 70;   // a failure of the program itself (no memory, ...)
}  // namespace exit_status

// The directory the command works in: --dir, else the directory of the
// executable for run and the current directory for emit and build; none
// when the executable's directory cannot be found.
std::optional<std::string> working_directory(const Arguments& a);

// The file of the run that writing the report to --report FILE would
// replace (a description, a document, an output, a --line or --train
// source), by name or by identity; "" when there is none.
std::string run_file_under_report(const Arguments& a);

// Ends a command with exit status `status`. A non-empty `what` is printed on
// stderr as "scenpack: WHAT" and kept as the report's message; with none,
// nothing is printed (the command has said what it had to say).
RunReport ended(RunReport r, int status, const std::string& what = {});

// Runs the run, emit, build, check, inspect or plot command; prints its messages and
// returns what the report holds (exit_status included).
RunReport run_command(const Arguments& a);

}  // namespace scenpack
