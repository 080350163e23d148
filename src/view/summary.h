// The scenario at a glance, from its compiled tables: route length, cells
// by kind, stations with times, signals, slow orders, code points, tunnels,
// text boards and the two check codes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "view/compiled_scenario.h"

namespace scenpack {

struct StationRow {
  int record = 0;
  std::string name;
  int kind = 0;
  int32_t position = 0;
  int32_t near_end = 0;
  int32_t far_end = 0;
  int32_t time = 0;       // seconds from midnight
};

// One marked cell: its index, the metre it stands for and its first value.
struct CellRow {
  int32_t cell = 0;
  int64_t metre = 0;
  int32_t value = 0;
};

struct SignalCellRow {
  int32_t cell = 0;
  int64_t metre = 0;
  int16_t code1 = 0, code2 = 0, code3 = 0, group = 0;
  uint8_t time = 0;
};

struct SlowOrderRow {
  int64_t start = 0;  // metre of the start cell
  std::optional<int64_t> end;  // metre of the end cell, when one follows
  int32_t speed = 0;  // km/h
};

struct TextBoardRow {
  int32_t cell = 0;
  int64_t metre = 0;
  int record = 0;
  std::string text;
};

struct TunnelRow {
  int64_t from = 0;  // first metre of its first cell
  int64_t to = 0;    // first metre after its last cell
  int kind = 0;      // galleria
};

struct CheckCodeState {
  std::optional<int16_t> plain_stored;     // in cell 1
  std::optional<int32_t> weighted_stored;  // in the scenario's record
  int16_t plain_expected = 0;              // from NAME and NUM
  int32_t weighted_expected = 0;
  std::optional<std::string> name_in_records;    // the scenario's record
  std::optional<std::string> number_in_records;  // the train's record
};

struct ScenarioSummary {
  std::string nome_scenario;
  std::string numero_treno;
  std::optional<int32_t> route_length;  // from the general data
  std::optional<std::string> start_clock;  // from the train's record, "hh:mm:ss"
  std::optional<int32_t> cell_count;
  std::vector<std::pair<uint8_t, int32_t>> cells_by_kind;  // kinds present, in number order
  std::optional<int32_t> map_metres;
  std::optional<int32_t> map_points_set;
  std::vector<StationRow> stations;
  std::vector<SignalCellRow> signals;
  std::vector<SlowOrderRow> slow_orders;
  std::vector<CellRow> speed_boards;
  std::vector<TextBoardRow> text_boards;
  std::vector<CellRow> code_points;
  std::vector<CellRow> no_code;
  std::vector<TunnelRow> tunnels;
  CheckCodeState check_codes;
};

ScenarioSummary summarize(const CompiledScenario& s);

// "08:10:00"; hours beyond 23 and negative values as they are.
std::string clock_text(int64_t seconds);

}  // namespace scenpack
