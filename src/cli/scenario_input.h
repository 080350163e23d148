// The compiled scenario named on the command line of inspect and plot:
// PATH a directory (the files of --name and --number in it) or one file.
#pragma once

#include <optional>
#include <string>

#include "cli/arguments.h"
#include "cli/compiled_files.h"

namespace scenpack {

// Loads the scenario; on failure prints "scenpack: ..." on stderr and
// returns the exit status (64 usage, 65 malformed file, 66 unreadable).
// Without `map_points` the route map's outline alone is kept (and, with
// `map_ranges`, the ranges of its points, for a picture's frame).
std::optional<int> load_scenario_input(const Arguments& a, CompiledScenario& out, bool map_points = true,
                                       bool map_ranges = false);

// After a view has walked the map's points from its file: when the walk
// broke off, prints "scenpack: ..." on stderr and returns the exit status
// (65 the file no longer fits, 66 unreadable).
std::optional<int> map_walk_failed(const CompiledScenario& scenario);

// The same for any PATH, NAME and NUM from `a`.
std::optional<int> load_scenario_input(const std::string& path, const Arguments& a, CompiledScenario& out,
                                       bool map_points = true, bool map_ranges = false);

}  // namespace scenpack
