#include "view/author_terms.h"

#include "view/names.h"
#include "view/shown_text.h"
#include "view/summary.h"

namespace scenpack {
namespace {

std::string num(int64_t v) { return std::to_string(v); }
std::string metres(int64_t v) { return num(v) + " m"; }

// A speed board's value: the left speed / 5 in the hundreds, the right one
// / 5 in the units ("85|85" for 1717).
std::string board_speeds(int16_t v) { return num(v / 100 * 5) + "|" + num(v % 100 * 5); }

void add(Meaning& m, std::string_view name, int64_t value) { m.values.emplace_back(name, value); }

void phrase(Meaning& m, const std::string& words) {
  if (!m.text.empty()) m.text += ", ";
  m.text += words;
}

std::string at(int64_t cell, uint8_t tipo) {
  return " at " + metres(position_given(cell, tipo).value_or(cell_first_metre(cell)));
}

void slow_order(Meaning& m, const Cella& c, const std::string& what) {
  const SlowOrderCell order{c};
  phrase(m, what + " " + num(order.speed_kmh()) + " km/h");
  add(m, "speed_kmh", order.speed_kmh());
  if (order.further_value() != 0) phrase(m, "further value " + num(order.further_value())), add(m, "further_value", order.further_value());
  if (c.tipo != kind::kSlowdownWarning && order.whole_train() == 1) phrase(m, "whole train"), add(m, "whole_train", 1);
}

void signal(Meaning& m, const Cella& c, int64_t cell) {
  const SignalCell s{c};
  phrase(m, "signal" + at(cell, c.tipo) + ": codes " + code_pair(s.code1()) + " " + code_pair(s.code2()) + " " +
                code_pair(s.code3()) + ", group " + num(s.group()) + ", time " + num(s.time()));
  add(m, "code1_left", s.code1() / 10), add(m, "code1_right", s.code1() % 10);
  add(m, "code2_left", s.code2() / 10), add(m, "code2_right", s.code2() % 10);
  add(m, "code3_left", s.code3() / 10), add(m, "code3_right", s.code3() % 10);
  add(m, "group", s.group()), add(m, "time", s.time());
}

void speed_board(Meaning& m, const Cella& c, int64_t cell) {
  const SpeedBoardCell b{c};
  phrase(m, "speed board" + at(cell, c.tipo) + ": " + board_speeds(b.speeds_a()) + ", " + board_speeds(b.speeds_b()) + ", " +
                board_speeds(b.speeds_c()) + " km/h (left|right), stripes " + code_pair(b.stripes()));
  const std::string_view sides[][2] = {{"speed_a_left_kmh", "speed_a_right_kmh"},
                                       {"speed_b_left_kmh", "speed_b_right_kmh"},
                                       {"speed_c_left_kmh", "speed_c_right_kmh"}};
  const int16_t values[] = {b.speeds_a(), b.speeds_b(), b.speeds_c()};
  for (size_t k = 0; k < 3; ++k) add(m, sides[k][0], values[k] / 100 * 5), add(m, sides[k][1], values[k] % 100 * 5);
  add(m, "stripes_left", b.stripes() / 10), add(m, "stripes_right", b.stripes() % 10);
}

// The text of record `r`, when the records are known and r is one of them.
const Scheda* record_named(const Records* schede, int64_t r) {
  if (!schede || r < 0 || r >= kRecordCount) return nullptr;
  return &(*schede)[static_cast<size_t>(r)];
}

void named_record(Meaning& m, const std::string& what, const Cella& c, const Records* schede) {
  const int16_t record = RecordCell{c}.record();
  const Scheda* s = record_named(schede, record);
  std::string words = what + " " + num(record);
  if (s) {
    words += ' ';
    words += quoted_text(s->testo);
  }
  phrase(m, words);
  add(m, "record", record);
  if (s) m.texts.emplace_back("text", decoded_text(s->testo));
}

void cell_object(Meaning& m, const Cella& c, int64_t cell, const Records* schede) {
  switch (c.tipo) {
    case kind::kNothing: break;
    case kind::kSignal: signal(m, c, cell); break;
    case kind::kSlowdownStart: slow_order(m, c, "slow order" + at(cell, c.tipo) + " to"); break;
    case kind::kSlowdownEnd: slow_order(m, c, "end of slow order" + at(cell, c.tipo) + " to"); break;
    case kind::kSlowdownWarning: slow_order(m, c, "slow-order warning" + at(cell, c.tipo) + ":"); break;
    case kind::kSlowdownBoard:
      phrase(m, "slow-order board " + num(SlowOrderBoardCell{c}.board()) + " before the warning (1 the nearest)");
      add(m, "board", SlowOrderBoardCell{c}.board());
      break;
    case kind::kSpeedBoard: speed_board(m, c, cell); break;
    case kind::kStationEnd: named_record(m, "end mark" + at(cell, c.tipo) + " of station", c, schede); break;
    case kind::kTunnelMarker: phrase(m, "tunnel marker"); break;
    case kind::kCodePoint:
      phrase(m, "cab code " + num(CodePointCell{c}.cab_code()) + " from " + metres(cell_first_metre(cell)));
      add(m, "cab_code", CodePointCell{c}.cab_code());
      break;
    case kind::kNoCode: phrase(m, "no cab code from " + metres(cell_first_metre(cell))); break;
    case kind::kTextBoard: named_record(m, "text board" + at(cell, c.tipo) + ", record", c, schede); break;
    default: phrase(m, "a kind no build writes"); break;
  }
}

void station(Meaning& m, const Scheda& record) {
  const StationRecord s{record};
  phrase(m, quoted_text(s.name()) + ": " + station_kind_text(s.kind()) + " at " + metres(s.position()) + ", from " +
                metres(s.near_end()) + " to " + metres(s.far_end()) + ", time " + clock_text(s.time()));
  m.texts.emplace_back("kind_name", station_kind_text(s.kind()));
  m.texts.emplace_back("time", clock_text(s.time()));
  m.texts.emplace_back("name", decoded_text(s.name()));
}

void chainage(Meaning& m, const Scheda& record) {
  const ChainageRecord s{record};
  phrase(m, "from " + metres(s.start()) + " the chainage is the distance " +
                (s.difference() < 0 ? "- " + metres(-static_cast<int64_t>(s.difference())) : "+ " + metres(s.difference())) +
                (s.flag() == 1 ? " (+ 100 m by the flag)" : ""));
}

void general(Meaning& m, const Scheda& record) {
  const GeneralDataRecord s{record};
  phrase(m, "braked mass " + num(s.braked_mass_percent()) + " %, route length " + metres(s.route_length()) + ", " +
                num(s.coaches()) + " coaches");
}

void scenario(Meaning& m, const Scheda& record) {
  const ScenarioRecord s{record};
  phrase(m, "scenario " + quoted_text(s.name()) + ", background uno " + num(s.background_uno()) + ", due " +
                num(s.background_due()) + ", tre " + num(s.background_tre()) + ", weighted check code " +
                num(s.weighted_check_code()));
}

void train(Meaning& m, const Scheda& record) {
  const TrainRecord s{record};
  const int64_t clock = start_clock_seconds(record);
  phrase(m, "train " + quoted_text(s.number()) + ", signal repetition " +
                (s.repetition_end() == 0 ? std::string("none")
                                         : metres(s.repetition_start()) + " to " + metres(s.repetition_end()) + " with " +
                                               num(s.repetition_codes()) + " codes") +
                ", sand " + num(s.sand()) + ", start clock " + clock_text(clock));
  m.texts.emplace_back("start_clock", clock_text(clock));
}

}  // namespace

int speed_limit_kmh(const Cella& c) { return 5 * speed_limit_steps(c); }
int gradient_per_mille(const Cella& c) { return gradient_byte(c) - 100; }

int64_t start_clock_seconds(const Scheda& train_record) {
  const TrainRecord s{train_record};
  return (static_cast<int64_t>(s.clock_hours()) * 60 + s.clock_minutes()) * 60 + s.clock_seconds();
}

std::string code_pair(int64_t v) { return num(v / 10) + "|" + num(v % 10); }

std::string signed_number(int64_t v) {
  std::string out = v > 0 ? "+" : "";
  out += num(v);
  return out;
}

int64_t cell_first_metre(int64_t cell) { return cell * kCellLength; }

std::string cell_span(int64_t cell) {
  return num(cell_first_metre(cell)) + "-" + num(cell_first_metre(cell) + kCellLength - 1) + " m";
}

std::optional<int64_t> position_given(int64_t cell, uint8_t tipo) {
  const int64_t given = cell_metre(cell, tipo);
  if (given == cell_first_metre(cell)) return std::nullopt;
  return given;
}

Meaning cell_meaning(const Cella& c, int64_t cell, const Records* schede) {
  Meaning object;
  cell_object(object, c, cell, schede);
  Meaning m;
  m.text = num(speed_limit_kmh(c)) + " km/h, " + signed_number(gradient_per_mille(c)) + " \u2030";
  if (c.galleria != 0) m.text += ", tunnel kind " + num(c.galleria);
  if (!object.text.empty()) m.text += "; " + object.text;
  add(m, "speed_limit_kmh", speed_limit_kmh(c));
  add(m, "gradient_per_mille", gradient_per_mille(c));
  if (auto p = position_given(cell, c.tipo)) add(m, "position_given", *p);
  m.values.insert(m.values.end(), object.values.begin(), object.values.end());
  m.texts = std::move(object.texts);
  return m;
}

std::string object_meaning(const Cella& c, int64_t cell, const Records* schede) {
  Meaning object;
  cell_object(object, c, cell, schede);
  return object.text;
}

Meaning record_meaning(const Scheda& s, std::string_view role) {
  Meaning m;
  if (role.rfind("station", 0) == 0) {
    station(m, s);
  } else if (role.rfind("text board", 0) == 0) {
    const std::string& text = TextBoardRecord{s}.text();
    phrase(m, quoted_text(text));
    m.texts.emplace_back("text", decoded_text(text));
  } else if (role.rfind("chainage", 0) == 0) {
    chainage(m, s);
  } else if (role == "general data") {
    general(m, s);
  } else if (role == "scenario and check code") {
    scenario(m, s);
  } else if (role == "train and start clock") {
    train(m, s);
  }
  return m;
}

std::string station_kind_text(int kind) {
  if (kind >= 25) return "block or junction post (kind " + num(kind) + ")";
  return "station of kind " + num(kind);
}

}  // namespace scenpack
