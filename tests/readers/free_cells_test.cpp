// The rule every recorder shares: a cell is free when it is kind 0 or a
// tunnel marker (11); on any other kind the recorder refuses with its own
// code and leaves the cell as it was.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "model/tables.h"
#include "readers/signals.h"
#include "readers/slowdowns.h"
#include "readers/speed_boards.h"
#include "readers/text_boards.h"
#include "readers/train_text_fixture.h"

namespace scenpack {
namespace {

using testing::sized_tables;

struct Recorder {
  const char* name;
  int target_cell;  // the cell the recorder checks
  int32_t code;     // its code for an occupied cell
  bool refusal_changes_nothing;  // false: marks placed before the refusal stay
  std::function<FaultCode(Tables&)> record;
};

FaultCode signal_at_20500(Tables& t) {
  SignalRow row{20500, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0};
  return place_signal(t, row);
}

FaultCode slow_order_at_9300(Tables& t) { return place_slow_order(t, {9300, 50, 200, 0, 1, 50}); }

FaultCode text_board_at_20500(Tables& t) {
  int32_t record = kFirstBoardRecord;
  return place_text_board(t, 20500, "( BIVIO )", record);
}

const Recorder kRecorders[] = {
    {"signal", 411, 16, true, signal_at_20500},
    {"slow-order warning", 163, 17, true, slow_order_at_9300},
    {"slow-order start", 187, 18, true, slow_order_at_9300},
    {"slow-order end", 191, 19, true, slow_order_at_9300},
    {"slow-order first board", 162, 20, false, slow_order_at_9300},
    {"slow-order last board", 159, 20, false, slow_order_at_9300},
    {"code cut", 106, 7, true, [](Tables& t) { return place_code_cut(t, 5300, 270); }},
    {"speed board", 411, 21, true,
     [](Tables& t) { return place_speed_boards(t, 20500, {85, 90, 95, 0, 85, 90, 95, 0}); }},
    {"text board", 411, 6, true, text_board_at_20500},
};

bool same_cells(const std::vector<Cella>& a, const std::vector<Cella>& b) {
  auto fields = [](const Cella& c) {
    return std::tie(c.tipo, c.dato1, c.dato2, c.dato3, c.dato4, c.tempo, c.avviso, c.galleria, c.dato5, c.dato6,
                    c.dato7);
  };
  for (size_t i = 0; i < a.size(); ++i) {
    if (fields(a[i]) != fields(b[i])) return false;
  }
  return a.size() == b.size();
}

TEST(FreeCells, EveryRecorderAgainstEveryKind) {
  constexpr int16_t kMark = 1234;  // what stands in the cell beforehand
  for (const Recorder& r : kRecorders) {
    for (uint8_t kind = 0; kind <= 14; ++kind) {
      SCOPED_TRACE(std::string(r.name) + ", kind " + std::to_string(kind));
      Tables t = sized_tables();
      Cella& cell = t.celle[static_cast<size_t>(r.target_cell)];
      cell.tipo = kind;
      cell.dato3 = kMark;
      const std::vector<Cella> before = t.celle;
      const bool free = kind == kind::kNothing || kind == kind::kTunnelMarker;
      EXPECT_EQ(code_number(r.record(t)), free ? 0 : r.code);
      if (!free && r.refusal_changes_nothing) {
        EXPECT_TRUE(same_cells(t.celle, before));
      }
      if (free) {
        EXPECT_NE(cell.tipo, kind);  // the recorder's own kind replaced it
      } else {
        EXPECT_EQ(cell.tipo, kind);
        EXPECT_EQ(cell.dato3, kMark);
      }
    }
  }
}

// Check takes a slow order refused at its boards back whole: the start, end
// and warning cells it had marked are as they were.
TEST(FreeCells, SlowOrderRefusedAtItsBoardsCanBeTakenBack) {
  Tables t = sized_tables();
  t.celle[160].tipo = kind::kSignal;
  const std::vector<Cella> before = t.celle;
  EXPECT_EQ(place_slow_order(t, {9300, 50, 200, 0, 1, 50}, true), FaultCode::kBoardOccupied);
  EXPECT_TRUE(same_cells(t.celle, before));
}

}  // namespace
}  // namespace scenpack
