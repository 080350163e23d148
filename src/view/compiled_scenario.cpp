#include "view/compiled_scenario.h"

namespace scenpack {

void walk_map_points(const CompiledScenario& scenario, const MapPointsVisit& visit) {
  if (scenario.map_walk) scenario.map_walk->walk(visit);
  else if (scenario.mappa) walk_map_points(*scenario.mappa, visit);
}

CompiledScenario compiled_from_tables(const Tables& t) {
  CompiledScenario c{t.nome_scenario, t.numero_treno, t.celle, t.schede, std::nullopt, nullptr, std::nullopt};
  return c;
}

}  // namespace scenpack
