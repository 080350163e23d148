// scenpack diff A B: what changed between two compiled scenarios, on
// stdout; exit 0 when they are the same, 1 when they differ.
#pragma once

#include "cli/arguments.h"
#include "cli/report.h"

namespace scenpack {

RunReport diff_scenarios(const Arguments& a);

}  // namespace scenpack
