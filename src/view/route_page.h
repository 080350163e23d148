// One self-contained HTML page: the route picture beside the summary's
// tables (stations, slow orders, signals). Nothing is fetched: no script,
// no font, no image from elsewhere.
#pragma once

#include <string>

#include "view/compiled_scenario.h"
#include "view/summary.h"

namespace scenpack {

std::string route_page(const CompiledScenario& scenario, const ScenarioSummary& summary);

}  // namespace scenpack
