#include "readers/tunnels.h"

#include <algorithm>

#include "model/numeric.h"
#include "readers/checked_conversion.h"
#include "readers/read_fault.h"
#include "readers/track_position.h"

namespace scenpack {
namespace {

constexpr int32_t kCloseTunnelKind = 3;
constexpr int64_t kCloseTunnelGap = 150;   // metres from the previous tunnel's end
constexpr int64_t kMarkerEvery = 4;        // cells

void mark_cells(Tables& t, int32_t inizio, int32_t fine, int32_t tipo, bool markers) {
  const auto first = static_cast<int64_t>(cell_number(inizio, 0));
  const auto last = static_cast<int64_t>(cell_number(fine, -1));
  const int64_t from = std::max<int64_t>(first, 0);
  const int64_t to = std::min<int64_t>(last, t.n_celle);
  for (int64_t c = from; c <= to; ++c) {
    Cella* cell = cell_at(t, c);
    if (cell == nullptr) break;
    cell->galleria = low8(tipo);
    const int64_t counted = c - first + 1;  // 1 for the tunnel's first cell
    if (markers && counted % kMarkerEvery == 0 && cell->tipo == kind::kNothing) {
      cell->tipo = kind::kTunnelMarker;
    }
  }
}

}  // namespace

void place_tunnel(Tables& t, int32_t inizio, int32_t fine, int32_t& tipo) {
  const bool markers = tipo > kMarkerKindOffset;
  if (markers) tipo = tipo - kMarkerKindOffset;
  if (t.n_gallerie >= kMaxTunnels) {
    throw ReadFault{"more than " + std::to_string(kMaxTunnels) + " tunnels", 0};
  }
  const int32_t n = ++t.n_gallerie;
  t.gallerie_inizio[static_cast<size_t>(n)] = inizio;
  t.gallerie_fine[static_cast<size_t>(n)] = fine;
  if (n > 1) {
    const int32_t gap = long_or_fault(static_cast<double>(inizio) - t.gallerie_fine[static_cast<size_t>(n - 1)]);
    if (gap <= kCloseTunnelGap) tipo = kCloseTunnelKind;
  }
  mark_cells(t, inizio, fine, tipo, markers);
}

}  // namespace scenpack
