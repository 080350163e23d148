#include "readers/gradients.h"

#include <algorithm>

#include "model/cell_roles.h"
#include "model/numeric.h"
#include "readers/track_position.h"

namespace scenpack {
namespace {

constexpr int64_t kGradientBias = 100;

// Writes the previous gradient into the cells from the fill index up to
// cell `end` - 1, at least one, and moves the fill index past them; the fill
// stops at the last cell (nothing written once the index has passed it).
void fill_up_to(Tables& t, GradientFill& fill, int64_t end) {
  const auto cells = static_cast<int64_t>(t.celle.size());
  if (fill.next_cell < 0 || fill.next_cell >= cells) return;
  const int64_t stop = std::min(std::max(end, fill.next_cell + 1), cells);
  fill_cells(t, fill.next_cell, stop, kGradientByte, low8(fill.previous + kGradientBias));
  fill.next_cell = stop;
}

}  // namespace

void apply_gradient(Tables& t, GradientFill& fill, int32_t p, int32_t g) {
  const auto end = static_cast<int64_t>(cell_number(p, 0));
  if (end > 0) fill_up_to(t, fill, end);
  fill.previous = g;
}

void complete_gradients(Tables& t, GradientFill& fill) {
  fill_up_to(t, fill, static_cast<int64_t>(t.n_celle) - 2);
}

}  // namespace scenpack
