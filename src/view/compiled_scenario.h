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

// The scenario as a build holds it in memory (no map: nothing shown needs it).
CompiledScenario compiled_from_tables(const Tables& t);

}  // namespace scenpack
