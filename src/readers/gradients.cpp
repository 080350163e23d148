#include "readers/gradients.h"

#include "model/numeric.h"
#include "readers/track_position.h"

namespace scenpack {
namespace {

constexpr int64_t kGradientBias = 100;

// Writes the previous gradient into the next cell and moves on; false (and
// nothing written) when the fill index has passed the last cell.
bool fill_one(Tables& t, GradientFill& fill) {
  Cella* c = cell_at(t, fill.next_cell);
  if (c == nullptr) return false;
  c->dato6 = low8(fill.previous + kGradientBias);
  ++fill.next_cell;
  return true;
}

}  // namespace

void apply_gradient(Tables& t, GradientFill& fill, int32_t p, int32_t g) {
  const auto end = static_cast<int64_t>(cell_number(p, 0));
  if (end > 0) {
    do {
      if (!fill_one(t, fill)) break;
    } while (fill.next_cell < end);
  }
  fill.previous = g;
}

void complete_gradients(Tables& t, GradientFill& fill) {
  const int64_t stop = static_cast<int64_t>(t.n_celle) - 2;
  do {
    if (!fill_one(t, fill)) break;
  } while (fill.next_cell < stop);
}

}  // namespace scenpack
