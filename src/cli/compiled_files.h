// Reading a compiled scenario from its files: the three files of a
// directory, or one file told by its name, decoded into a CompiledScenario.
#pragma once

#include <optional>
#include <string>

#include "view/compiled_scenario.h"

namespace scenpack {

// The three files of NAME and NUM in `dir`: the record table and the cells
// must be there, the route map is read when present (a build without the
// map leaves none). Without `map_points` the map's points are checked but
// not kept (its outline alone: metres and points set); they are walked
// from the file, kept open, through `map_walk`; with `map_ranges` too, the
// ranges of the points are found while they are checked (`map_ranges` of
// the scenario), for a picture's frame.
std::optional<LoadFault> load_directory(const std::string& dir, const std::string& nome_scenario,
                                        const std::string& numero_treno, CompiledScenario& out,
                                        bool map_points = true, bool map_ranges = false);

// One file, told by its name: "..._linea.dat" the route map, "....sim" the
// records, "....dat" the cells. NAME and NUM come from the file name.
std::optional<LoadFault> load_file(const std::string& path, CompiledScenario& out, bool map_points = true,
                                   bool map_ranges = false);

}  // namespace scenpack
