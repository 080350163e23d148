#include "view/summary.h"

#include <cstdio>
#include <map>

#include "finish/check_codes.h"
#include "view/author_terms.h"
#include "view/names.h"

namespace scenpack {
namespace {


void summarize_records(const std::array<Scheda, kRecordCount>& schede, const std::vector<Cella>* celle,
                       ScenarioSummary& out) {
  out.route_length = general_data(schede).route_length();
  out.start_clock = clock_text(start_clock_seconds(schede[kTrainRecord]));
  const auto roles = record_roles(schede, celle);
  for (int r = kFirstStationRecord; r <= kFirstBoardRecord; ++r) {
    const StationRecord s{schede[static_cast<size_t>(r)]};
    if (roles[static_cast<size_t>(r)].rfind("station", 0) != 0) continue;
    out.stations.push_back({r, s.name(), s.kind(), s.position(), s.near_end(), s.far_end(), s.time()});
  }
  out.check_codes.weighted_stored = scenario_record(schede).weighted_check_code();
  out.check_codes.name_in_records = scenario_record(schede).name();
  out.check_codes.number_in_records = train_record(schede).number();
}

// Consecutive cells of one tunnel kind form one tunnel.
void add_tunnel_cell(ScenarioSummary& out, int32_t cell, uint8_t galleria, int32_t& previous_cell) {
  const int64_t from = static_cast<int64_t>(cell) * kCellLength;
  if (!out.tunnels.empty() && previous_cell == cell - 1 && out.tunnels.back().kind == galleria) {
    out.tunnels.back().to = from + kCellLength;
  } else {
    out.tunnels.push_back({from, from + kCellLength, galleria});
  }
  previous_cell = cell;
}

void summarize_cells(const std::vector<Cella>& celle, const std::array<Scheda, kRecordCount>* schede,
                     ScenarioSummary& out) {
  out.cell_count = static_cast<int32_t>(celle.size());
  std::map<uint8_t, int32_t> by_kind;
  int32_t previous_tunnel_cell = -2;
  std::optional<size_t> open_slow_order;
  for (size_t i = 0; i < celle.size(); ++i) {
    const Cella& c = celle[i];
    const int32_t cell = static_cast<int32_t>(i);
    const int64_t metre = cell_metre(cell, c.tipo);
    ++by_kind[c.tipo];
    if (c.galleria != 0) add_tunnel_cell(out, cell, c.galleria, previous_tunnel_cell);
    switch (c.tipo) {
      case kind::kSignal: {
        const SignalCell s{c};
        out.signals.push_back({cell, metre, s.code1(), s.code2(), s.code3(), s.group(), s.time()});
        break;
      }
      case kind::kSlowdownStart:
        out.slow_orders.push_back({metre, std::nullopt, SlowOrderCell{c}.speed_kmh()});
        open_slow_order = out.slow_orders.size() - 1;
        break;
      case kind::kSlowdownEnd:
        if (open_slow_order) out.slow_orders[*open_slow_order].end = metre;
        open_slow_order.reset();
        break;
      case kind::kSpeedBoard: out.speed_boards.push_back({cell, metre, SpeedBoardCell{c}.speeds_a()}); break;
      case kind::kCodePoint: out.code_points.push_back({cell, metre, CodePointCell{c}.cab_code()}); break;
      case kind::kNoCode: out.no_code.push_back({cell, metre, first_value(c)}); break;
      case kind::kTextBoard: {
        const int16_t record = RecordCell{c}.record();
        std::string text;
        if (schede && record >= 0 && record < kRecordCount) text = TextBoardRecord{(*schede)[static_cast<size_t>(record)]}.text();
        out.text_boards.push_back({cell, metre, record, text});
        break;
      }
      default: break;
    }
  }
  out.cells_by_kind.assign(by_kind.begin(), by_kind.end());
  if (celle.size() > kCheckCodeCell) out.check_codes.plain_stored = CheckCodeCell{celle[kCheckCodeCell]}.plain_check_code();
}

}  // namespace

std::string clock_text(int64_t seconds) {
  const bool negative = seconds < 0;
  const uint64_t s = negative ? static_cast<uint64_t>(-(seconds + 1)) + 1 : static_cast<uint64_t>(seconds);
  char buf[48];
  std::snprintf(buf, sizeof buf, "%s%02llu:%02llu:%02llu", negative ? "-" : "", static_cast<unsigned long long>(s / 3600),
                static_cast<unsigned long long>(s / 60 % 60), static_cast<unsigned long long>(s % 60));
  return buf;
}

ScenarioSummary summarize(const CompiledScenario& s) {
  ScenarioSummary out;
  out.nome_scenario = s.nome_scenario;
  out.numero_treno = s.numero_treno;
  if (s.schede) summarize_records(*s.schede, s.celle ? &*s.celle : nullptr, out);
  if (s.celle) summarize_cells(*s.celle, s.schede ? &*s.schede : nullptr, out);
  if (s.mappa) {
    out.map_metres = s.mappa->sized ? s.mappa->last_index + 1 : 0;
    out.map_points_set = s.mappa->points_set;
  }
  out.check_codes.plain_expected = codice_gara_og(s.numero_treno, s.nome_scenario);
  out.check_codes.weighted_expected = codice_gara_st(s.numero_treno, s.nome_scenario);
  return out;
}

}  // namespace scenpack
