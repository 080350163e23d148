// Records of the line description that meet earlier ones otherwise than
// written: a curve drawn only from where the route map stands, a tunnel
// inside a tunnel, a gradient that starts in the cell of an earlier one.
// Each is a warning that names the earlier record; nothing read changes.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "readers/gradients.h"
#include "readers/warnings.h"

namespace scenpack {

// A record read earlier, with the place of its position field.
struct EarlierRecord {
  int32_t from = 0;
  int64_t to = 0;    // a curve's end, a tunnel's end
  int32_t kind = 0;  // a tunnel's kind as stored, a gradient's value
  TextPosition at;
};

// A curve at `p` of length `len`, drawn from where the map stands after
// the curve that reaches furthest (`furthest`, updated). Warns when the
// curve starts before that curve's end (and not before the last curve's
// position, which out-of-order warns about).
void check_curve_overlap(const Warner& warn, std::optional<EarlierRecord>& furthest, int32_t p, int32_t len,
                         TextPosition at);

// A tunnel from `inizio` to `fine`, stored with kind `kind` (`written` as
// the description gives it, less the markers' 10): warns when it starts
// inside one of `tunnels`, then adds it to them.
void check_tunnel_inside(const Warner& warn, std::vector<EarlierRecord>& tunnels, int32_t inizio, int32_t fine,
                         int32_t written, int32_t kind, TextPosition at);

// A gradient at `p` of `g` per mille about to be applied to `fill`, the last
// gradient read being `last`: warns when its cell is one the earlier
// gradients fill already, so that the cell gets the older gradient and this
// one starts a cell later. `last` becomes this gradient.
// `cell_count` is the number of track cells (a fill past them writes nothing).
void check_gradient_cell(const Warner& warn, const GradientFill& fill, int64_t cell_count,
                         std::optional<EarlierRecord>& last, int32_t p, int32_t g, TextPosition at);

}  // namespace scenpack
