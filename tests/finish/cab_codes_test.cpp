#include "finish/cab_codes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace scenpack {
namespace {

struct Placed {
  int cell;
  uint8_t tipo;
  int16_t dato1 = 0;
};

// A sized table of n cells (0..n-1) with the given kinds placed.
Tables table_of(int n, const std::vector<Placed>& placed) {
  Tables t;
  t.celle.assign(static_cast<size_t>(n), Cella{});
  t.n_celle = n - 1;
  t.celle_sized = true;
  for (const Placed& p : placed) {
    t.celle.at(static_cast<size_t>(p.cell)).tipo = p.tipo;
    t.celle.at(static_cast<size_t>(p.cell)).dato1 = p.dato1;
  }
  return t;
}

// The pass under the build's policy; returns every fault it listed.
std::vector<Diagnostic> run_pass(Tables& t) {
  FaultSink sink(t.error_state, FaultPolicy::kStopAtFirst);
  cab_code_pass(t, sink);
  return sink.diagnostics();
}

// Every code point of the table: cell -> code.
std::map<int, int16_t> code_points(const Tables& t) {
  std::map<int, int16_t> points;
  for (size_t k = 0; k < t.celle.size(); ++k) {
    if (t.celle[k].tipo == kind::kCodePoint) points[static_cast<int>(k)] = t.celle[k].dato1;
  }
  return points;
}

using kind::kCodePoint;
using kind::kSignal;
using kind::kSlowdownBoard;
using kind::kSlowdownEnd;
using kind::kSlowdownStart;
using kind::kSlowdownWarning;
using kind::kSpeedBoard;
using kind::kTunnelMarker;

constexpr int16_t kSlow = 50;
constexpr int16_t kFast = 110;

struct PassCase {
  std::string name;
  int cells;
  std::vector<Placed> placed;
  std::map<int, int16_t> want_points;  // every code point after the pass
  int32_t want_code = 0;
  int32_t want_position = 0;
};

// 180 as a shorthand for the points the pass places.
constexpr int16_t C = kCabCode;

const std::vector<PassCase> kCases = {
    // Rule A: signals before a warning cell.
    {"warning_at_3_looks_at_nothing", 30, {{3, kSlowdownWarning}, {2, kSignal}}, {}},
    {"warning_at_5_looks_at_cell_3", 30, {{5, kSlowdownWarning}, {3, kSignal}}, {{2, C}}},
    {"warning_at_5_stops_before_cell_2", 30, {{5, kSlowdownWarning}, {2, kSignal}}, {}},
    {"two_signals_before_one_warning", 60,
     {{40, kSlowdownWarning}, {30, kSignal}, {25, kSignal}, {19, kSignal}},
     {{29, C}, {24, C}}},  // 19 lies 21 cells back
    {"signal_20_cells_back_counts", 60, {{40, kSlowdownWarning}, {20, kSignal}}, {{19, C}}},
    {"cell_before_signal_taken_uses_next", 60,
     {{40, kSlowdownWarning}, {30, kSignal}, {29, kSpeedBoard}}, {{28, C}}},
    {"existing_code_point_kept_with_smaller_code", 60,
     {{40, kSlowdownWarning}, {30, kSignal}, {29, kCodePoint, 270}, {28, kSlowdownBoard}},
     {{29, C}}},
    {"existing_smaller_code_kept", 60,
     {{40, kSlowdownWarning}, {30, kSignal}, {29, kCodePoint, 120}, {28, kSlowdownBoard}},
     {{29, 120}}},
    {"existing_code_point_two_back", 60,
     {{40, kSlowdownWarning}, {30, kSignal}, {29, kSpeedBoard}, {28, kCodePoint, 270}},
     {{28, C}}},
    {"free_cell_wins_over_existing_code_point", 60,
     {{40, kSlowdownWarning}, {30, kSignal}, {29, kCodePoint, 270}},
     {{29, 270}, {28, C}}},
    {"signal_without_room_is_fault_11", 60,
     {{40, kSlowdownWarning}, {30, kSignal}, {29, kSpeedBoard}, {28, kSignal}},
     {{27, C}},  // the signal at 28 still gets its point
     11, 1500},

    // Rules B, C, D: the three windows before a start (fast: no walk).
    {"start_at_7_no_window", 40, {{7, kSlowdownStart, kFast}}, {}},
    {"start_at_8_window_b", 40, {{8, kSlowdownStart, kFast}}, {{3, C}}},
    {"start_at_13_window_b_only", 40, {{13, kSlowdownStart, kFast}}, {{8, C}}},
    {"start_at_14_windows_b_c", 40, {{14, kSlowdownStart, kFast}}, {{9, C}, {3, C}}},
    {"start_at_20_windows_b_c", 40, {{20, kSlowdownStart, kFast}}, {{15, C}, {9, C}}},
    {"start_at_21_windows_b_c_d", 40, {{21, kSlowdownStart, kFast}},
     {{16, C}, {10, C}, {3, C}}},
    {"window_takes_first_free_cell", 60,
     {{40, kSlowdownStart, kFast}, {35, kSpeedBoard}, {34, kSpeedBoard}, {29, kSignal}},
     {{33, C}, {28, C}, {22, C}}},
    {"full_window_is_fault_12", 60,
     {{40, kSlowdownStart, kFast},
      {35, kSpeedBoard}, {34, kSpeedBoard}, {33, kCodePoint, 270}},
     {{33, 270}, {29, C}, {22, C}},
     12, 2000},

    // Rule E: the walk along a slow slowdown.
    {"fast_slowdown_only_windows", 80,
     {{30, kSlowdownStart, kFast}, {60, kSlowdownEnd}, {65, kSignal}},
     {{25, C}, {19, C}, {12, C}}},
    {"slow_slowdown_walk_and_signal_after", 80,
     {{30, kSlowdownStart, 109}, {60, kSlowdownEnd}, {65, kSignal}},
     {{25, C}, {19, C}, {12, C}, {38, C}, {46, C}, {54, C}, {64, C}}},
    {"speed_below_zero_in_16_bits_walks", 80,
     {{30, kSlowdownStart, -25536}, {45, kSlowdownEnd}},
     {{25, C}, {19, C}, {12, C}, {38, C}}},
    {"walk_falls_back_one_cell", 80,
     {{30, kSlowdownStart, kSlow}, {60, kSlowdownEnd}, {38, kSpeedBoard}},
     {{25, C}, {19, C}, {12, C}, {37, C}, {45, C}, {53, C}}},
    {"walk_moves_on_one_cell", 80,
     {{30, kSlowdownStart, kSlow}, {60, kSlowdownEnd}, {38, kSpeedBoard}, {37, kSpeedBoard}},
     {{25, C}, {19, C}, {12, C}, {39, C}, {47, C}, {55, C}}},
    {"walk_meets_three_occupied_cells", 80,
     {{30, kSlowdownStart, kSlow}, {60, kSlowdownEnd},
      {37, kSpeedBoard}, {38, kSpeedBoard}, {39, kSpeedBoard}},
     {{25, C}, {19, C}, {12, C}},
     13, 1900},
    {"walk_without_room_goes_on_to_next_end", 80,
     {{30, kSlowdownStart, kSlow}, {37, kSpeedBoard}, {38, kSpeedBoard}, {39, kSpeedBoard},
      {60, kSlowdownEnd}, {65, kSignal}},
     {{25, C}, {19, C}, {12, C}, {64, C}},
     13, 1900},
    {"walk_without_room_nor_end_faults_at_last_cell", 60,
     {{30, kSlowdownStart, kSlow}, {37, kSpeedBoard}, {38, kSpeedBoard}, {39, kSpeedBoard}},
     {{25, C}, {19, C}, {12, C}},
     13, 2950},
    {"end_on_eighth_step_takes_cell_before", 80,
     {{30, kSlowdownStart, kSlow}, {38, kSlowdownEnd}},
     {{25, C}, {19, C}, {12, C}, {37, C}}},
    {"short_slowdown_no_point_along", 80,
     {{30, kSlowdownStart, kSlow}, {37, kSlowdownEnd}},
     {{25, C}, {19, C}, {12, C}}},

    // Rule F: the first signal after the end.
    {"signal_12_cells_after_end", 80,
     {{30, kSlowdownStart, kSlow}, {34, kSlowdownEnd}, {46, kSignal}},
     {{25, C}, {19, C}, {12, C}, {45, C}}},
    {"signal_13_cells_after_end_ignored", 80,
     {{30, kSlowdownStart, kSlow}, {34, kSlowdownEnd}, {47, kSignal}},
     {{25, C}, {19, C}, {12, C}}},
    {"only_first_signal_after_end", 80,
     {{30, kSlowdownStart, kSlow}, {34, kSlowdownEnd}, {37, kSignal}, {40, kSignal}},
     {{25, C}, {19, C}, {12, C}, {36, C}}},
    {"signal_after_end_two_cells_back", 80,
     {{30, kSlowdownStart, kSlow}, {34, kSlowdownEnd}, {37, kSignal}, {36, kSpeedBoard}},
     {{25, C}, {19, C}, {12, C}, {35, C}}},
    {"signal_after_end_without_room_is_fault_13_at_end", 80,
     {{30, kSlowdownStart, kSlow}, {34, kSlowdownEnd}, {37, kSignal},
      {36, kSpeedBoard}, {35, kSpeedBoard}},
     {{25, C}, {19, C}, {12, C}},
     13, 1700},

    // Tunnel markers are free and are overwritten.
    {"tunnel_markers_overwritten", 80,
     {{40, kSlowdownWarning}, {30, kSignal}, {29, kTunnelMarker},
      {50, kSlowdownStart, kSlow}, {45, kTunnelMarker}, {58, kTunnelMarker},
      {62, kSlowdownEnd}},
     {{29, C}, {45, C}, {39, C}, {32, C}, {58, C}}},

    // Points placed earlier in the pass are occupied for later rules.
    {"point_of_earlier_cell_is_occupied", 60,
     {{28, kSlowdownWarning}, {26, kSignal}, {30, kSlowdownStart, kFast}},
     {{25, C}, {24, C}, {19, C}, {12, C}}},

    // Faults: the later one stays and the pass goes on.
    {"later_fault_overwrites_earlier", 80,
     {{20, kSlowdownWarning}, {10, kSignal}, {9, kSpeedBoard}, {8, kSpeedBoard},
      {40, kSlowdownStart, kFast}, {35, kSpeedBoard}, {34, kSpeedBoard}, {33, kSpeedBoard},
      {60, kSlowdownWarning}, {50, kSignal}},
     {{29, C}, {22, C}, {49, C}},
     12, 2000},

    // Table edges.
    {"walk_without_end_stops_at_last_cell", 60,
     {{30, kSlowdownStart, kSlow}, {59, kSignal}},
     {{25, C}, {19, C}, {12, C}, {38, C}, {46, C}, {54, C}},
     13, 2950},
    {"eighth_step_on_last_cell_is_clipped", 40,
     {{31, kSlowdownStart, kSlow}, {38, kSpeedBoard}, {39, kSpeedBoard}},
     {{26, C}, {20, C}, {13, C}},
     13, 1950},
    {"look_ahead_clipped_at_last_cell", 40,
     {{20, kSlowdownStart, kSlow}, {35, kSlowdownEnd}, {39, kSignal}},
     {{15, C}, {9, C}, {28, C}, {38, C}}},
    {"start_beyond_loop_not_handled", 40,
     {{38, kSlowdownStart, kSlow}, {37, kSlowdownWarning}, {30, kSignal}},
     {{29, C}}},
};

void PrintTo(const PassCase& c, std::ostream* os) { *os << c.name; }

class CabCodePass : public testing::TestWithParam<PassCase> {};

TEST_P(CabCodePass, PlacesCodePointsAndFaults) {
  const PassCase& c = GetParam();
  Tables t = table_of(c.cells, c.placed);
  t.error_state.posizione_errore = 0;
  run_pass(t);
  EXPECT_EQ(code_points(t), c.want_points);
  EXPECT_EQ(t.error_state.codice_errore, c.want_code);
  EXPECT_EQ(t.error_state.posizione_errore, c.want_position);
  EXPECT_FALSE(t.error_state.where.has_value());
}

INSTANTIATE_TEST_SUITE_P(Cases, CabCodePass, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<PassCase>& info) {
                           return info.param.name;
                         });

TEST(CabCodePassTable, NeverSizedOrTinyTableIsLeftAlone) {
  Tables never_sized;
  run_pass(never_sized);
  EXPECT_TRUE(never_sized.celle.empty());
  EXPECT_EQ(never_sized.error_state.codice_errore, 0);

  for (int n : {1, 2, 3}) {
    Tables t = table_of(n, {{0, kSlowdownStart, kSlow}});
    run_pass(t);
    EXPECT_TRUE(code_points(t).empty()) << n;
    EXPECT_EQ(t.error_state.codice_errore, 0) << n;
  }
}

TEST(CabCodePassTable, MarkedCellKeepsItsOtherFields) {
  Tables t = table_of(40, {{30, kSlowdownWarning}, {20, kSignal}, {19, kTunnelMarker}});
  t.celle[19].galleria = 2;
  t.celle[19].dato2 = 7;
  t.celle[19].avviso = 84;
  run_pass(t);
  EXPECT_EQ(t.celle[19].tipo, kCodePoint);
  EXPECT_EQ(t.celle[19].dato1, 180);
  EXPECT_EQ(t.celle[19].dato2, 7);
  EXPECT_EQ(t.celle[19].galleria, 2);
  EXPECT_EQ(t.celle[19].avviso, 84);
}

// The scenario's route (270000 m, cells 0..5540) with the cells that its five
// slow orders, its 35 code cuts and a few signals mark, as the train reader
// places them.
struct SlowOrder {
  const char* row;
  int16_t v;
  int start, end, warning;
  bool boards;
  std::vector<int> along;  // code points the walk places between start and end
};

const std::vector<SlowOrder> kSlowOrders = {
    {"rallentamento,   9300, 50, 200, 0, 1, 50", 50, 187, 191, 163, true, {}},
    {"rallentamento,  24300, 40, 400, 0, 1, 0", 40, 487, 495, 463, true, {494}},
    {"rallentamento,  73950, 80, 600, 0, 1, 80", 80, 1480, 1492, 1456, true, {1488}},
    {"rallentamento, 138400, 80, 800, 1, 1, 80", 80, 2769, 2785, 2745, true, {2777, 2784}},
    {"rallentamento, 262800, 30, 350  1, 0, 30", 30, 5257, 5264, 5233, false, {}},
};

Tables scenario_route() {
  Tables t = table_of(5541, {});
  for (const SlowOrder& o : kSlowOrders) {
    t.celle[o.start] = Cella{.tipo = kSlowdownStart, .dato1 = o.v};
    t.celle[o.end] = Cella{.tipo = kSlowdownEnd, .dato1 = o.v};
    t.celle[o.warning] = Cella{.tipo = kSlowdownWarning, .dato1 = o.v};
    for (int b = 1; o.boards && b <= 4; ++b) {
      t.celle[o.warning - b] = Cella{.tipo = kSlowdownBoard, .dato1 = static_cast<int16_t>(b)};
    }
  }
  const std::vector<std::pair<int, int16_t>> code_cuts = {
      {5300, 270},   {6100, 270},   {7250, 270},   {8200, 270},   {9200, 270},
      {10600, 270},  {11200, 270},  {12200, 270},  {13600, 270},  {14400, 270},
      {15200, 270},  {16200, 270},  {48500, 270},  {48550, 270},  {48600, 270},
      {48650, 270},  {48700, 270},  {109500, 0},   {191200, 270}, {191850, 270},
      {193100, 270}, {194600, 270}, {199150, 270}, {199200, 270}, {254500, 180},
      {255100, 180}, {255700, 180}, {256300, 180}, {256900, 180}, {258900, 270},
      {260350, 270}, {261600, 270}, {262950, 270}, {263500, 270}, {264000, 270}};
  for (auto [position, value] : code_cuts) {
    Cella& c = t.celle[static_cast<size_t>(position / 50)];  // all are multiples of 50
    c.tipo = value > 0 ? kCodePoint : kind::kNoCode;
    if (value > 0) c.dato1 = value;
  }
  // Signals at 2550, 20500, 22500 (12 cells before the second warning),
  // 25000 (6 cells after the second end) and 266650.
  for (int cell : {52, 411, 451, 501, 5334}) t.celle[static_cast<size_t>(cell)].tipo = kSignal;
  return t;
}

TEST(CabCodePassScenario, CodePointsBeforeAndAlongEverySlowOrder) {
  Tables t = scenario_route();
  const Tables before = t;
  run_pass(t);

  EXPECT_EQ(t.error_state.codice_errore, 0);
  for (const SlowOrder& o : kSlowOrders) {
    SCOPED_TRACE(o.row);
    for (int near : {5, 11, 18}) {  // the three windows before the start
      int placed = 0;
      for (int k = o.start - near - 2; k <= o.start - near; ++k) {
        placed += t.celle[k].tipo == kCodePoint && before.celle[k].tipo != kCodePoint;
      }
      EXPECT_EQ(placed, 1) << "window " << near << " cells before the start";
    }
    std::vector<int> along;
    for (int k = o.start + 1; k < o.end; ++k) {
      if (t.celle[k].tipo == kCodePoint && before.celle[k].tipo != kCodePoint) along.push_back(k);
    }
    EXPECT_EQ(along, o.along);
    for (int k : along) EXPECT_EQ(t.celle[k].dato1, 180);
  }
  EXPECT_EQ(t.celle[450].tipo, kCodePoint);  // before the signal ahead of a warning
  EXPECT_EQ(t.celle[500].tipo, kCodePoint);  // before the first signal after an end
  EXPECT_EQ(t.celle[5090].dato1, 180);       // code cuts keep their values
  EXPECT_EQ(t.celle[106].dato1, 270);
}

}  // namespace
}  // namespace scenpack
