// The check command: every fault of the descriptions, listed on stdout.
#pragma once

#include "cli/arguments.h"

namespace scenpack {

// Checks the descriptions --line/--train name (in place) or the working
// texts in --dir, lists the findings in the chosen format on stdout and
// returns the exit status: 0 without errors (warnings allowed), 1 with
// errors, 66 when a named description cannot be read.
int run_check(const Arguments& a);

}  // namespace scenpack
