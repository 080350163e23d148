#include "readers/stations.h"

#include <optional>
#include <utility>
#include <vector>

#include "model/cell_roles.h"
#include "model/numeric.h"
#include "model/record_roles.h"
#include "readers/checked_conversion.h"
#include "readers/record_fields.h"
#include "readers/track_position.h"

namespace scenpack {
namespace {

constexpr int32_t kStationMargin = 800;      // metres past the position that must lie on the track
constexpr int32_t kLengthStep = 100;         // lengths are whole hundreds of metres
constexpr int32_t kShortStation = 600;       // below this "tab" is cleared
constexpr int32_t kStubEndBeyond = 150;      // kinds 5 and 6 end 150 m past the position
constexpr int32_t kMarExtension = 50;        // "mar" lengthens the far end
constexpr int32_t kLeastSpacing = 350;       // metres between two stations
constexpr uint8_t kFirstUnmarkedKind = 25;   // block posts and the like mark no cells
constexpr int kApproachMarks = 4;
constexpr uint8_t kApproachMarkBase = 80;    // avviso 81..84

bool is_stub_kind(uint8_t k) { return k == 5 || k == 6; }
bool is_symmetric_kind(uint8_t k) { return k == 7 || k == 8; }

using Station = StationRecord<Scheda>;

// Near and far end by kind.
void compute_ends(const Station& s, int32_t pos, int32_t length) {
  const int64_t p = pos;
  if (is_stub_kind(s.kind())) {
    s.far_end() = long_or_fault(static_cast<double>(p + kStubEndBeyond));
    s.near_end() = long_or_fault(static_cast<double>(p - length));
    s.mar() = 0;
  } else if (is_symmetric_kind(s.kind())) {
    s.near_end() = long_or_fault(static_cast<double>(p - length));
    s.far_end() = long_or_fault(static_cast<double>(p + length));
    s.mar() = 0;
  } else {
    const double half = static_cast<double>(length) / 2;
    s.near_end() = long_or_fault(static_cast<double>(pos) - half);
    double far_end = static_cast<double>(pos) + half;
    if (s.mar() != 0) far_end = far_end + kMarExtension;
    s.far_end() = long_or_fault(far_end);
  }
}

// The cells a station marks, as they were before, so that check can take
// a refused station back: every one of them, however many there are.
class CellJournal {
 public:
  CellJournal() { kept_.reserve(kApproachMarks + 1); }  // the approach marks and the end mark
  Cella& keep(Cella& c) {
    kept_.emplace_back(&c, c);
    return c;
  }
  void restore() {
    while (!kept_.empty()) {
      *kept_.back().first = kept_.back().second;
      kept_.pop_back();
    }
  }

 private:
  std::vector<std::pair<Cella*, Cella>> kept_;
};

// avviso 81..84 in the cells 1..4 before the end mark's cell, where those
// lie beyond cell 1. Their kind is neither tested nor changed.
void mark_approach(Tables& t, const Station& s, CellJournal& journal) {
  for (int b = 1; b <= kApproachMarks; ++b) {
    const double cell = static_cast<double>(s.far_end()) / kCellLength - b - 1;
    if (cell > 1) {
      journal.keep(track_cell(t, round_half_even(cell))).avviso = static_cast<uint8_t>(kApproachMarkBase + b);
    }
  }
}

StationFault fault_at(FaultCode code, std::optional<int32_t> position, TextPosition where, bool fields_left) {
  return StationFault{code, position, where, fields_left};
}

std::optional<StationFault> place_station(FieldReader& in, RecordFields& r, Tables& t, int32_t& next_record,
                                          int32_t board_record, CellJournal& journal, StationTime* time) {
  const int32_t k = next_record;
  if (k < 1 || k > board_record || k >= kRecordCount) {
    return fault_at(FaultCode::kRecordTableFull, {}, in.field_start(), true);
  }
  const Station s{t.schede[static_cast<size_t>(k)]};

  const int32_t pos = r.position();
  const TextPosition pos_at = r.position_at();
  s.position() = pos;
  if (!within_track(t, pos, kStationMargin)) return fault_at(FaultCode::kBeyondLastCell, pos, pos_at, true);
  if (pos % kCellLength != 0) return fault_at(FaultCode::kStationOffCell, pos, pos_at, true);

  s.kind() = r.byte();
  const int32_t length = r.long_();
  if (length % kLengthStep != 0) return fault_at(FaultCode::kStationLength, pos, in.field_start(), true);

  s.tps() = r.byte();
  s.tab() = r.byte();
  s.mar() = r.byte();
  s.first_d2() = r.integer();
  s.first_d3() = r.integer();
  s.rap() = r.byte();
  s.second_d1() = r.integer();
  s.second_d2() = r.integer();
  s.second_d3() = r.integer();
  s.ac() = r.byte();
  const int64_t hours = r.long_();
  const TextPosition hours_at = in.field_start();
  const int64_t minutes = r.long_();
  const int64_t seconds = r.long_();
  if (time != nullptr) *time = StationTime{hours, minutes, seconds, hours_at};
  s.time() = long_or_fault(static_cast<double>((hours * 60 + minutes) * 60 + seconds));
  s.name() = r.text();

  compute_ends(s, pos, length);
  if (length < kShortStation) s.tab() = 0;
  if (k == kFirstStationRecord) {
    s.mar() = 0;
    s.tab() = 0;
  }

  std::optional<double> end_cell;
  if (s.kind() < kFirstUnmarkedKind) {
    if (!is_stub_kind(s.kind())) mark_approach(t, s, journal);
    const double end_mark = static_cast<double>(s.far_end()) / kCellLength - 1;
    if (!(end_mark > 1)) return fault_at(FaultCode::kFarEndTooNearStart, {}, pos_at, false);
    end_cell = round_half_even(end_mark);
    Cella& cell = journal.keep(track_cell(t, *end_cell));
    cell.tipo = kind::kStationEnd;
    RecordCell{cell}.record() = static_cast<int16_t>(k);
  }

  if (k > kFirstStationRecord &&
      static_cast<int64_t>(s.near_end()) - kLeastSpacing < Station{t.schede[static_cast<size_t>(k - 1)]}.far_end()) {
    return fault_at(FaultCode::kStationTooNear, pos, pos_at, false);
  }

  next_record = k + 1;
  if (!(next_record < board_record)) return fault_at(FaultCode::kRecordTableFull, {}, pos_at, false);
  if (end_cell) t.origins.record(static_cast<int64_t>(*end_cell), pos_at.line, pos_at.column, CellPart::kStationEnd);
  return std::nullopt;
}

}  // namespace

std::optional<StationFault> read_station(FieldReader& r, Tables& t, int32_t& next_record,
                                         int32_t board_record, bool undo_refused, StationTime* time) {
  CellJournal journal;
  RecordFields fields(r, "the station", 16);
  if (!undo_refused) {
    return fields.guard([&] { return place_station(r, fields, t, next_record, board_record, journal, time); });
  }

  const int32_t k = next_record;
  const bool has_record = k >= 0 && k < kRecordCount;
  const Scheda before = has_record ? t.schede[static_cast<size_t>(k)] : Scheda{};
  const auto take_back = [&] {
    journal.restore();
    if (has_record) t.schede[static_cast<size_t>(k)] = before;
    next_record = k;
  };
  std::optional<StationFault> fault;
  try {
    fault = fields.guard([&] { return place_station(r, fields, t, next_record, board_record, journal, time); });
  } catch (...) {
    take_back();
    throw;
  }
  if (fault) {
    take_back();
    // The rest of a station refused before its name is passed over.
    if (fault->fields_left) r.skip_past_line(r.field_line());
  }
  return fault;
}

}  // namespace scenpack
