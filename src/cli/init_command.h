// scenpack init NAME NUM [DIR]: a new scenario's scenario file and its two
// starting descriptions, written beside each other, over nothing.
#pragma once

#include "cli/arguments.h"
#include "cli/report.h"

namespace scenpack {

RunReport start_scenario(const Arguments& a);

}  // namespace scenpack
