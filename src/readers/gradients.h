// Gradient records of the line description and the gradient completion:
// the gradient byte (g + 100, low 8 bits) of every track cell.
#pragma once

#include <cstdint>

#include "model/tables.h"

namespace scenpack {

// The fill state kept across gradient records: the first cell not yet
// filled and the gradient of the last record read.
struct GradientFill {
  int64_t next_cell = 0;
  int32_t previous = 0;
};

// A gradient record at position p (already past the position check) with
// gradient g: the cells from the fill index up to the cell round(p / 50) get
// the previous gradient, at least one cell when that cell is above 0 (so two
// records in one cell move the fill one cell on). Filling stops at the last
// cell, whatever order the records come in.
void apply_gradient(Tables& t, GradientFill& fill, int32_t p, int32_t g);

// After the body: the last gradient runs from the fill index up to cell
// n_celle - 3 (at least one cell); cells n_celle - 2 to n_celle keep 0.
void complete_gradients(Tables& t, GradientFill& fill);

}  // namespace scenpack
