// Running one parsed command line: the run, emit and build commands, with
// their exit status, their lines on stderr and the --report content.
#pragma once

#include "cli/arguments.h"
#include "cli/report.h"

namespace scenpack {

namespace exit_status {
constexpr int kOk = 0;          // no fault recorded
constexpr int kFault = 1;       // a fault recorded, the outputs written
constexpr int kStopped = 2;     // 1250 / 1251: nothing written
constexpr int kUsage = 64;
constexpr int kDataError = 65;  // a compiled file does not fit its format
constexpr int kNoInput = 66;    // a file named on the command line cannot be read
constexpr int kIoError = 74;    // a file cannot be created, written, renamed or deleted
}  // namespace exit_status

// Runs the run, emit, build or inspect command; prints its messages on stderr and
// returns what the report holds (exit_status included).
RunReport run_command(const Arguments& a);

}  // namespace scenpack
