// A scenario as its compiled files hold it: whichever of the three files
// were read, decoded into the tables, and the names the files carry.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/tables.h"

namespace scenpack {

struct CompiledScenario {
  std::string nome_scenario;  // NAME of the files (from the options or the file name)
  std::string numero_treno;   // NUM, "" when the file name holds none
  std::optional<std::vector<Cella>> celle;                 // from NAME_NUM.dat
  std::optional<std::array<Scheda, kRecordCount>> schede;  // from NAME_NUM.sim
  std::optional<RouteMap> mappa;                           // from NAME_linea.dat
};

// Why a scenario could not be loaded, with the message to print after
// "scenpack: ".
struct LoadFault {
  enum class Kind { kUsage, kUnreadable, kMalformed };
  Kind kind = Kind::kUnreadable;
  std::string message;  // "cannot read FILE: reason" or "FILE: byte N: what is wrong"
};

// The three files of NAME and NUM in `dir`: the record table and the cells
// must be there, the route map is read when present (a build without the
// map leaves none). Without `map_points` the map's points are checked but
// not kept (its outline alone: metres and points set).
std::optional<LoadFault> load_directory(const std::string& dir, const std::string& nome_scenario,
                                        const std::string& numero_treno, CompiledScenario& out,
                                        bool map_points = true);

// One file, told by its name: "..._linea.dat" the route map, "....sim" the
// records, "....dat" the cells. NAME and NUM come from the file name.
std::optional<LoadFault> load_file(const std::string& path, CompiledScenario& out, bool map_points = true);

// The scenario as a build holds it in memory (no map: nothing shown needs it).
CompiledScenario compiled_from_tables(const Tables& t);

}  // namespace scenpack
