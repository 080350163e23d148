#include "model/tables.h"

#include <algorithm>

#include "model/numeric.h"

namespace scenpack {

bool size_tables(Tables& t, int32_t route_length) {
  const int64_t extended = static_cast<int64_t>(route_length) + kRouteMargin;
  // L + 7000 = 0 still forms one cell (and a one-metre map, which has no
  // room for its point 1: the line reader refuses that when it starts the
  // map); a shorter route cannot be sized.
  if (extended < 0) return false;
  const double cells = round_half_even(static_cast<double>(extended) / kCellLength);
  // The cells are allocated before any size is recorded, so that a failed
  // allocation leaves sizes and table agreeing.
  const int32_t n_celle = static_cast<int32_t>(cells);
  t.celle.assign(static_cast<size_t>(n_celle) + 1, Cella{});
  t.origins.forget_cells();
  t.lunghezza_estesa = static_cast<int32_t>(extended);
  t.n_celle = n_celle;
  t.celle_sized = true;
  if (t.modo_percorso != 0) {
    RouteMap& m = t.mappa;
    m.sized = true;
    m.last_index = static_cast<int32_t>(extended);
    m.points_set = 0;
    m.runs.clear();
  }
  return true;
}

void fill_cells(Tables& t, int64_t first, int64_t end, uint8_t Cella::*field, uint8_t value) {
  const int64_t stop = std::min(end, static_cast<int64_t>(t.celle.size()));
  for (int64_t k = std::max<int64_t>(first, 0); k < stop; ++k) t.celle[static_cast<size_t>(k)].*field = value;
}

void clear_records(Tables& t) {
  for (Scheda& s : t.schede) s = Scheda{};
}

}  // namespace scenpack
