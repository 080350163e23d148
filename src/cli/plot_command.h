// scenpack plot PATH [--out FILE]: the route picture as SVG or as one HTML
// page with the summary's tables.
#pragma once

#include "cli/arguments.h"
#include "cli/report.h"

namespace scenpack {

RunReport plot_route(const Arguments& a);

}  // namespace scenpack
