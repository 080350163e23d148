// A compiled scenario of a route of `metres`, as a view reads it from its
// files: the map sized for the route and its margin with the route's
// metres set (every point at 0 for the test to draw), the cells sized and
// empty, no records yet.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/tables.h"
#include "view/compiled_scenario.h"

namespace scenpack {

inline CompiledScenario compiled_route(const std::string& name, const std::string& number, int32_t metres) {
  CompiledScenario c;
  c.nome_scenario = name;
  c.numero_treno = number;
  RouteMap& m = c.mappa.emplace();
  m.sized = true;
  m.last_index = metres + kRouteMargin;
  m.points_set = metres + 1;
  m.x.assign(static_cast<size_t>(m.last_index) + 1, 0.0);
  m.y.assign(static_cast<size_t>(m.last_index) + 1, 0.0);
  c.celle.emplace(static_cast<size_t>((metres + kRouteMargin) / kCellLength + 1));
  return c;
}

}  // namespace scenpack
