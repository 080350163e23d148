#include "readers/occupied_cell.h"

#include <utility>
#include <vector>

namespace scenpack {

void refuse_occupied(FaultSink& sink, const Tables& t, FaultCode code, int32_t position, SourceLocation where,
                     const Landing& landing) {
  const Cella* cell = cell_at(t, landing.cell);
  std::string said = landing.what + " lands in " + cell_and_metres(landing.cell, landing.offset);
  if (cell != nullptr) said += ", which holds " + held_by_kind(cell->tipo);
  std::vector<RelatedPlace> related;
  if (auto origin = t.origins.origin(landing.cell)) related.push_back(std::move(*origin));
  sink.fault_said(code, position, std::move(where), std::move(said), std::move(related));
}

}  // namespace scenpack
