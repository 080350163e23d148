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
  phrase(m, what + " " + num(c.dato1) + " km/h");
  add(m, "speed_kmh", c.dato1);
  if (c.dato2 != 0) phrase(m, "further value " + num(c.dato2)), add(m, "further_value", c.dato2);
  if (c.tipo != kind::kSlowdownWarning && c.dato3 == 1) phrase(m, "whole train"), add(m, "whole_train", 1);
}

void signal(Meaning& m, const Cella& c, int64_t cell) {
  phrase(m, "signal" + at(cell, c.tipo) + ": codes " + code_pair(c.dato1) + " " + code_pair(c.dato2) + " " +
                code_pair(c.dato3) + ", group " + num(c.dato4) + ", time " + num(c.tempo));
  add(m, "code1_left", c.dato1 / 10), add(m, "code1_right", c.dato1 % 10);
  add(m, "code2_left", c.dato2 / 10), add(m, "code2_right", c.dato2 % 10);
  add(m, "code3_left", c.dato3 / 10), add(m, "code3_right", c.dato3 % 10);
  add(m, "group", c.dato4), add(m, "time", c.tempo);
}

void speed_board(Meaning& m, const Cella& c, int64_t cell) {
  phrase(m, "speed board" + at(cell, c.tipo) + ": " + board_speeds(c.dato1) + ", " + board_speeds(c.dato2) + ", " +
                board_speeds(c.dato3) + " km/h (left|right), stripes " + code_pair(c.dato4));
  const std::string_view sides[][2] = {{"speed_a_left_kmh", "speed_a_right_kmh"},
                                       {"speed_b_left_kmh", "speed_b_right_kmh"},
                                       {"speed_c_left_kmh", "speed_c_right_kmh"}};
  const int16_t values[] = {c.dato1, c.dato2, c.dato3};
  for (size_t k = 0; k < 3; ++k) add(m, sides[k][0], values[k] / 100 * 5), add(m, sides[k][1], values[k] % 100 * 5);
  add(m, "stripes_left", c.dato4 / 10), add(m, "stripes_right", c.dato4 % 10);
}

// The text of record `r`, when the records are known and r is one of them.
const Scheda* record_named(const Records* schede, int64_t r) {
  if (!schede || r < 0 || r >= kRecordCount) return nullptr;
  return &(*schede)[static_cast<size_t>(r)];
}

void named_record(Meaning& m, const std::string& what, const Cella& c, const Records* schede) {
  const Scheda* s = record_named(schede, c.dato1);
  std::string words = what + " " + num(c.dato1);
  if (s) {
    words += ' ';
    words += quoted_text(s->testo);
  }
  phrase(m, words);
  add(m, "record", c.dato1);
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
      phrase(m, "slow-order board " + num(c.dato1) + " before the warning (1 the nearest)");
      add(m, "board", c.dato1);
      break;
    case kind::kSpeedBoard: speed_board(m, c, cell); break;
    case kind::kStationEnd: named_record(m, "end mark" + at(cell, c.tipo) + " of station", c, schede); break;
    case kind::kTunnelMarker: phrase(m, "tunnel marker"); break;
    case kind::kCodePoint:
      phrase(m, "cab code " + num(c.dato1) + " from " + metres(cell_first_metre(cell)));
      add(m, "cab_code", c.dato1);
      break;
    case kind::kNoCode: phrase(m, "no cab code from " + metres(cell_first_metre(cell))); break;
    case kind::kTextBoard: named_record(m, "text board" + at(cell, c.tipo) + ", record", c, schede); break;
    default: phrase(m, "a kind no build writes"); break;
  }
}

void station(Meaning& m, const Scheda& s) {
  phrase(m, quoted_text(s.testo) + ": " + station_kind_text(s.byte1) + " at " + metres(s.lungo3) + ", from " + metres(s.lungo1) + " to " +
                metres(s.lungo2) + ", time " + clock_text(s.lungo4));
  m.texts.emplace_back("kind_name", station_kind_text(s.byte1));
  m.texts.emplace_back("time", clock_text(s.lungo4));
  m.texts.emplace_back("name", decoded_text(s.testo));
}

}  // namespace

int speed_limit_kmh(const Cella& c) { return 5 * c.dato5; }
int gradient_per_mille(const Cella& c) { return c.dato6 - 100; }

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
    phrase(m, quoted_text(s.testo));
    m.texts.emplace_back("text", decoded_text(s.testo));
  } else if (role.rfind("chainage", 0) == 0) {
    phrase(m, "from " + metres(s.lungo1) + " the chainage is the distance " +
                  (s.lungo2 < 0 ? "- " + metres(-static_cast<int64_t>(s.lungo2)) : "+ " + metres(s.lungo2)) +
                  (s.lungo3 == 1 ? " (+ 100 m by the flag)" : ""));
  } else if (role == "general data") {
    phrase(m, "braked mass " + num(s.lungo1) + " %, route length " + metres(s.lungo2) + ", " + num(s.lungo3) + " coaches");
  } else if (role == "scenario and check code") {
    phrase(m, "scenario " + quoted_text(s.testo) + ", background uno " + num(s.lungo1) + ", due " + num(s.lungo3) +
                  ", tre " + num(s.lungo2) + ", weighted check code " + num(s.lungo4));
  } else if (role == "train and start clock") {
    const int64_t clock = (static_cast<int64_t>(s.intero3) * 60 + s.intero4) * 60 + s.intero5;
    phrase(m, "train " + quoted_text(s.testo) + ", signal repetition " +
                  (s.lungo2 == 0 ? std::string("none") : metres(s.lungo1) + " to " + metres(s.lungo2) + " with " +
                                                             num(s.lungo3) + " codes") +
                  ", sand " + num(s.intero1) + ", start clock " + clock_text(clock));
    m.texts.emplace_back("start_clock", clock_text(clock));
  }
  return m;
}

std::string station_kind_text(int kind) {
  if (kind >= 25) return "block or junction post (kind " + num(kind) + ")";
  return "station of kind " + num(kind);
}

}  // namespace scenpack
