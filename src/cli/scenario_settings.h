// The scenario file on the command line's side: build, check, inspect and
// plot, given no --line, --train or --dir (inspect and plot no PATH), look
// for scenpack.ini in the current directory and its parents, the nearest
// one first, as git looks for its repository, and take the scenario from
// it. --name and --number given on the command line win over the file's.
#pragma once

#include <string>

#include "cli/arguments.h"

namespace scenpack {

struct SettingsOutcome {
  int exit_status = 0;  // 0: go on
  std::string message;  // what to print after "scenpack: " when not 0
};

// Fills `a` from the nearest scenario file; a file that cannot be used is
// an error naming its place ("../scenpack.ini:3: unknown key 'nmae' ...").
SettingsOutcome apply_scenario_file(Arguments& a);

}  // namespace scenpack
