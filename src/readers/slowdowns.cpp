#include "readers/slowdowns.h"

#include <array>

#include "model/cell_roles.h"
#include "model/numeric.h"
#include "readers/track_position.h"

namespace scenpack {
namespace {


constexpr int32_t kWarningDistance = 1200;  // metres before the start
constexpr int32_t kLastStartWithoutWarning = 1500;
constexpr int kBoardCount = 4;

void mark_further_value(Cella& cell, const SlowOrder& order) {
  if (order.d_v != 0) SlowOrderCell{cell}.further_value() = low16(order.d_v);
}

FaultCode refuse_at(FaultCode code, double cell, int board, RefusedCell* refused) {
  if (refused != nullptr) *refused = RefusedCell{static_cast<int64_t>(cell), board};
  return code;
}

void record_origin(Tables& t, double cell, int line, int column, CellPart part, SlowOrderSpan span = {}) {
  if (line > 0) t.origins.record(static_cast<int64_t>(cell), line, column, part, span);
}

}  // namespace

FaultCode place_slow_order(Tables& t, const SlowOrder& order, bool undo_refused, RefusedCell* refused, int line,
                           int column) {
  const bool has_warning = order.x > kLastStartWithoutWarning;
  const int64_t w = static_cast<int64_t>(order.x) - kWarningDistance;
  const bool has_boards = has_warning && order.f_ta != 0;

  Cella* warning = nullptr;
  const double warning_cell = cell_number(w, 1);
  if (has_warning) {
    warning = &track_cell(t, warning_cell);
    if (!is_free(*warning)) return refuse_at(FaultCode::kWarningOccupied, warning_cell, 0, refused);
  }
  const double start_cell = cell_number(order.x, 1);
  Cella& start = track_cell(t, start_cell);
  if (!is_free(start)) return refuse_at(FaultCode::kStartOccupied, start_cell, 0, refused);
  const double end_cell = cell_number(static_cast<int64_t>(order.x) + order.l, 1);
  Cella& end = track_cell(t, end_cell);
  if (!is_free(end)) return refuse_at(FaultCode::kEndOccupied, end_cell, 0, refused);

  // The three cells as they were, for a refusal at the boards.
  const Cella end_before = end;
  const Cella start_before = start;
  const Cella warning_before = warning != nullptr ? *warning : Cella{};
  // End before start: a restriction shorter than 25 m has one cell, which
  // ends as the start.
  end.tipo = kind::kSlowdownEnd;
  mark_further_value(end, order);
  start.tipo = kind::kSlowdownStart;
  mark_further_value(start, order);
  if (warning != nullptr) {
    warning->tipo = kind::kSlowdownWarning;
    mark_further_value(*warning, order);
    SlowOrderCell{*warning}.speed_kmh() = low16(order.v);
  }
  SlowOrderCell{start}.speed_kmh() = low16(order.v);
  SlowOrderCell{end}.speed_kmh() = low16(order.v);
  SlowOrderCell{start}.whole_train() = low16(order.f_tt);
  SlowOrderCell{end}.whole_train() = low16(order.f_tt);
  const SlowOrderSpan span{order.x, order.l};
  const auto record_marked = [&] {
    record_origin(t, end_cell, line, column, CellPart::kSlowOrderEnd, span);
    record_origin(t, start_cell, line, column, CellPart::kSlowOrderStart, span);
    if (warning != nullptr) record_origin(t, warning_cell, line, column, CellPart::kSlowOrderWarning, span);
  };

  if (!has_boards) {
    record_marked();
    return FaultCode::kNone;
  }
  // Board 1 stands in the cell round(w / 50), next to the warning cell;
  // board 4 three cells farther back.
  const double first_board = cell_number(w, 0);
  std::array<Cella*, kBoardCount> boards{};
  for (int j = 0; j < kBoardCount; ++j) {
    boards[static_cast<size_t>(j)] = &track_cell(t, first_board - j);
    if (is_free(*boards[static_cast<size_t>(j)])) continue;
    if (undo_refused) {
      if (warning != nullptr) *warning = warning_before;
      start = start_before;
      end = end_before;
    } else {
      record_marked();
    }
    return refuse_at(FaultCode::kBoardOccupied, first_board - j, j + 1, refused);
  }
  record_marked();
  for (int j = 0; j < kBoardCount; ++j) {
    Cella& board = *boards[static_cast<size_t>(j)];
    board.tipo = kind::kSlowdownBoard;
    SlowOrderBoardCell{board}.board() = static_cast<int16_t>(j + 1);
    if (order.d_v != 0) SlowOrderBoardCell{board}.further_board() = static_cast<int16_t>(j + 1);
    record_origin(t, first_board - j, line, column, CellPart::kSlowOrderBoard, span);
  }
  return FaultCode::kNone;
}

FaultCode place_code_cut(Tables& t, int32_t position, int32_t value, int line, int column) {
  const double number = cell_number(position, 0);
  Cella& cell = track_cell(t, number);
  if (!is_free(cell)) return FaultCode::kCodeCutOccupied;
  record_origin(t, number, line, column, CellPart::kCodeCut);
  if (value > 0) {
    cell.tipo = kind::kCodePoint;
    CodePointCell{cell}.cab_code() = low16(value);
  } else {
    cell.tipo = kind::kNoCode;
  }
  return FaultCode::kNone;
}

}  // namespace scenpack
