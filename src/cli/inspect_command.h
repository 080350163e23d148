// scenpack inspect PATH: the compiled files listed or summed up, as text or
// JSON, on stdout.
#pragma once

#include "cli/arguments.h"
#include "cli/report.h"

namespace scenpack {

RunReport inspect_compiled(const Arguments& a);

}  // namespace scenpack
