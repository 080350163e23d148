#include "readers/signals.h"

#include "model/cell_roles.h"
#include "model/numeric.h"
#include "readers/track_position.h"

namespace scenpack {
namespace {

constexpr int32_t kLowestRaisedTempo = 1;
constexpr int32_t kHighestRaisedTempo = 100;
constexpr int32_t kRaisedTempo = 101;
constexpr int kLookBackCells = 4;  // avviso in the cells 2, 4, 6, 8 before

// The code digits of the two groups packed as tens and units.
int64_t packed(int64_t tens, int64_t units) { return tens * 10 + units; }

}  // namespace

FaultCode place_signal(Tables& t, SignalRow& row) {
  const double number = cell_number(row.posizione, 1);
  Cella& cell = track_cell(t, number);
  if (!is_free(cell)) return FaultCode::kSignalOccupied;

  const int64_t group_kind = static_cast<int64_t>(row.sx) * 3 + row.dx;
  cell.tipo = kind::kSignal;
  const SignalCell signal{cell};
  signal.group() = low16(packed(row.rapp, group_kind));
  signal.code1() = low16(packed(row.s1, row.d1));
  signal.code2() = low16(packed(row.s2, row.d2));
  signal.code3() = low16(packed(row.s3, row.d3));

  if (row.tempo >= kLowestRaisedTempo && row.tempo <= kHighestRaisedTempo) row.tempo = kRaisedTempo;
  signal.time() = row.sx == 2 ? low8(row.tempo) : 0;

  const int64_t signal_cell = static_cast<int64_t>(number);
  for (int b = 1; b <= kLookBackCells; ++b) {
    Cella* before = cell_at(t, signal_cell - 2 * b);
    if (before == nullptr) continue;  // before cell 0: no such cell
    before->avviso = low8(group_kind * 10 + b);
  }
  return FaultCode::kNone;
}

}  // namespace scenpack
