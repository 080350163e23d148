// The cab-code pass: code points (kind 12, code 180) before signals ahead of
// a slowdown warning, in three windows before every slowdown start, along
// slowdowns slower than 110 and before the first signal after their end.
//
// For each cell i from 1 to (last cell - 2), in order:
//  A  warning cell: for each signal k in the 20 cells before i (k >= 3), the
//     first free of k-1, k-2 is marked; otherwise an existing code point at
//     k-1 (else k-2) gets the smaller of 180 and its code; otherwise fault 11
//     at k x 50.
//  B  start cell, i > 7:  first free of i-5, i-6, i-7;    none: fault 12 at i x 50.
//  C  start cell, i > 13: first free of i-11, i-12, i-13; none: fault 12.
//  D  start cell, i > 20: first free of i-18, i-19, i-20; none: fault 12.
//  E  start cell whose speed (an Integer, signed) is below 110: walk to
//     the slowdown end marking every 8th cell (or the cell before, or the
//     cell after, keeping the next point 8 cells on); three occupied cells:
//     fault 13 at that cell x 50 and no further point on this walk.
//  F  after a walk that reached its end cell: the first signal within the
//     end cell and the 12 cells after it gets a code point on the first free
//     of the two cells before it; none free: fault 13 at the end cell x 50.
//
// Choices made where the rules leave it open:
//  - F runs only after E has walked to an end cell: a slowdown of 110 or
//    more gets B, C and D only, and a walk without an end has no end to
//    search a signal from.
//  - A walk that meets no end cell stops at the last cell and records fault
//    13 at that cell x 50; the code points placed on the way stay.
//  - No rule reads outside celle: the look-ahead of F and the cell after the
//    walk's eighth step are clipped at the last cell (a cell beyond the table
//    is never free), the windows of A to D at cell 0.
//
// Faults do not stop the pass: a later one overwrites an earlier one.
// Cells free for a code point are kind 0 and tunnel markers (kind 11); code
// points placed earlier in the pass count as occupied.
#pragma once

#include <cstdint>

#include "model/fault_sink.h"
#include "model/tables.h"

namespace scenpack {

constexpr int16_t kCabCode = 180;  // code value of every code point the pass places

// Runs the pass over t.celle (nothing happens while celle is not sized),
// reporting every fault to `sink`: the error state keeps the last one.
void cab_code_pass(Tables& t, FaultSink& sink);

}  // namespace scenpack
