// Tunnel records of the line description: the tunnel list and the tunnel
// kind of every cell inside a tunnel.
#pragma once

#include <cstdint>

#include "model/tables.h"

namespace scenpack {

// The most tunnels the list holds (gallerie_* 1..80; index 0 is never used).
constexpr int32_t kMaxTunnels = kTunnelSlots - 1;

// A tunnel kind above this asks for markers.
constexpr int32_t kMarkerKindOffset = 10;

// Stores tunnel `inizio`..`fine` as the next entry of the tunnel list and
// gives every cell from round(inizio / 50) to round(fine / 50 - 1) (none when
// the end comes first) the tunnel kind in `galleria`. A kind above 10 means
// "with markers": it loses 10 and every fourth cell of the tunnel that is
// still kind 0 becomes a tunnel marker (kind 11). A tunnel that starts 150 m
// or less after the end of the previous list entry becomes kind 3.
// `tipo` is changed in the caller's variable. Cells outside the table are
// left alone (only `inizio` is checked against the table before the call).
// An 81st tunnel throws ReadFault: the list is full, as an index past the
// list's end was a run-time fault of reading (code 25).
void place_tunnel(Tables& t, int32_t inizio, int32_t fine, int32_t& tipo);

}  // namespace scenpack
