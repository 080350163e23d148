#include "view/summary_output.h"

#include "markup/json_writer.h"
#include "view/author_terms.h"
#include "view/names.h"
#include "view/shown_text.h"

namespace scenpack {
namespace {

std::string num(int64_t v) { return std::to_string(v); }

std::string padded(std::string text, size_t width) {
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

// A table: a title with the row count, a header, then the rows.
template <typename Row, typename Format>
void table(std::string& out, const std::string& title, const std::string& header, const std::vector<Row>& rows,
           Format format) {
  out += "\n" + title + " (" + num(static_cast<int64_t>(rows.size())) + ")\n";
  if (rows.empty()) return;
  out += header + "\n";
  for (const Row& r : rows) out += format(r) + "\n";
}

template <typename T>
std::string stored_or_none(const std::optional<T>& v) {
  return v ? num(*v) : std::string("none");
}

std::string match_word(bool m) { return m ? "matches" : "DOES NOT MATCH"; }

template <typename T>
std::string code_verdict(const std::optional<T>& stored, bool matches) {
  return stored ? match_word(matches) : "not in the files read";
}

bool plain_matches(const CheckCodeState& c) { return c.plain_stored && *c.plain_stored == c.plain_expected; }
bool weighted_matches(const CheckCodeState& c) { return c.weighted_stored && *c.weighted_stored == c.weighted_expected; }

std::string check_code_lines(const ScenarioSummary& s) {
  const CheckCodeState& c = s.check_codes;
  std::string out;
  out += "plain check code     " + stored_or_none(c.plain_stored) + " (" + s.numero_treno + " and " + s.nome_scenario +
         " give " + num(c.plain_expected) + "): " + code_verdict(c.plain_stored, plain_matches(c)) + "\n";
  out += "weighted check code  " + stored_or_none(c.weighted_stored) + " (" + s.numero_treno + " and " + s.nome_scenario +
         " give " + num(c.weighted_expected) + "): " + code_verdict(c.weighted_stored, weighted_matches(c)) + "\n";
  if (c.name_in_records) {
    out += "names in records     \"" + *c.name_in_records + "\" and \"" + c.number_in_records.value_or("") + "\": " +
           match_word(*c.name_in_records == s.nome_scenario && c.number_in_records == s.numero_treno) + "\n";
  }
  return out;
}

}  // namespace

bool check_codes_match(const ScenarioSummary& s) {
  const CheckCodeState& c = s.check_codes;
  return plain_matches(c) && weighted_matches(c) && c.name_in_records == s.nome_scenario &&
         c.number_in_records == s.numero_treno;
}

std::string summary_text(const ScenarioSummary& s) {
  std::string out = "scenario " + s.nome_scenario + ", train " + s.numero_treno + "\n";
  if (s.route_length) out += "route length         " + num(*s.route_length) + " m\n";
  if (s.start_clock) out += "start clock          " + *s.start_clock + "\n";
  if (s.cell_count) {
    out += "cells                " + num(*s.cell_count) + ":";
    bool first = true;
    for (const auto& [tipo, count] : s.cells_by_kind) {
      out += std::string(first ? " " : ", ") + std::string(cell_kind_name(tipo)) + " " + num(count);
      first = false;
    }
    out += "\n";
  }
  if (s.map_metres) out += "route map            " + num(*s.map_metres) + " metres, " + num(*s.map_points_set) + " set\n";
  if (s.check_codes.plain_stored || s.check_codes.weighted_stored) out += check_code_lines(s);
  table(out, "stations", "  record     metre  near end   far end  kind  time      name", s.stations, [](const StationRow& r) {
    return padded(num(r.record), 8) + padded(num(r.position), 10) + padded(num(r.near_end), 10) +
           padded(num(r.far_end), 10) + padded(num(r.kind), 6) + "  " + clock_text(r.time) + "  " + shown_text(r.name);
  });
  table(out, "signals", "    cell     metre  dato1  dato2  dato3  dato4  tempo  codes (left|right)", s.signals,
        [](const SignalCellRow& r) {
          return padded(num(r.cell), 8) + padded(num(r.metre), 10) + padded(num(r.code1), 7) + padded(num(r.code2), 7) +
                 padded(num(r.code3), 7) + padded(num(r.group), 7) + padded(num(r.time), 7) + "  " +
                 code_pair(r.code1) + " " + code_pair(r.code2) + " " + code_pair(r.code3);
        });
  table(out, "slow orders", "   start       end  speed", s.slow_orders, [](const SlowOrderRow& r) {
    return padded(num(r.start), 8) + padded(r.end ? num(*r.end) : std::string("none"), 10) + padded(num(r.speed), 7);
  });
  const auto cell_row = [](const CellRow& r) { return padded(num(r.cell), 8) + padded(num(r.metre), 10) + padded(num(r.value), 7); };
  table(out, "speed boards", "    cell     metre  dato1", s.speed_boards, cell_row);
  table(out, "text boards", "    cell     metre  record  testo", s.text_boards, [](const TextBoardRow& r) {
    return padded(num(r.cell), 8) + padded(num(r.metre), 10) + padded(num(r.record), 8) + "  " + shown_text(r.text);
  });
  table(out, "code points", "    cell     metre   code", s.code_points, cell_row);
  table(out, "no code", "    cell     metre", s.no_code,
        [](const CellRow& r) { return padded(num(r.cell), 8) + padded(num(r.metre), 10); });
  table(out, "tunnels", "    from        to  galleria", s.tunnels, [](const TunnelRow& r) {
    return padded(num(r.from), 8) + padded(num(r.to), 10) + padded(num(r.kind), 10);
  });
  return out;
}

std::string summary_json(const ScenarioSummary& s, bool pretty) {
  JsonWriter w(pretty);
  w.begin_object().key("scenario").value(s.nome_scenario).key("train").value(s.numero_treno);
  if (s.route_length) w.key("route_length").value(*s.route_length);
  if (s.start_clock) w.key("start_clock").value(*s.start_clock);
  if (s.cell_count) {
    w.key("cells").value(*s.cell_count).key("cells_by_kind").begin_array();
    for (const auto& [tipo, count] : s.cells_by_kind) {
      w.begin_object().key("kind").value(cell_kind_name(tipo)).key("tipo").value(int64_t{tipo}).key("count").value(count).end_object();
    }
    w.end_array();
  }
  if (s.map_metres) w.key("map").begin_object().key("metres").value(*s.map_metres).key("points_set").value(*s.map_points_set).end_object();
  w.key("stations").begin_array();
  for (const StationRow& r : s.stations) {
    w.begin_object().key("record").value(r.record).key("testo").value(r.name).key("byte1").value(r.kind);
    w.key("lungo3").value(r.position).key("lungo1").value(r.near_end).key("lungo2").value(r.far_end);
    w.key("lungo4").value(r.time).key("time").value(clock_text(r.time)).end_object();
  }
  w.end_array().key("signals").begin_array();
  for (const SignalCellRow& r : s.signals) {
    w.begin_object().key("cell").value(r.cell).key("metre").value(r.metre).key("dato1").value(int64_t{r.code1});
    w.key("dato2").value(int64_t{r.code2}).key("dato3").value(int64_t{r.code3}).key("dato4").value(int64_t{r.group});
    w.key("tempo").value(int64_t{r.time}).end_object();
  }
  w.end_array().key("slow_orders").begin_array();
  for (const SlowOrderRow& r : s.slow_orders) {
    w.begin_object().key("start").value(r.start).key("end");
    if (r.end) w.value(*r.end);
    else w.null();
    w.key("speed").value(r.speed).end_object();
  }
  w.end_array();
  for (const auto& [name, rows] : {std::pair{"speed_boards", &s.speed_boards}, std::pair{"code_points", &s.code_points},
                                   std::pair{"no_code", &s.no_code}}) {
    w.key(name).begin_array();
    for (const CellRow& r : *rows) w.begin_object().key("cell").value(r.cell).key("metre").value(r.metre).key("dato1").value(r.value).end_object();
    w.end_array();
  }
  w.key("text_boards").begin_array();
  for (const TextBoardRow& r : s.text_boards) {
    w.begin_object().key("cell").value(r.cell).key("metre").value(r.metre).key("record").value(r.record).key("testo").value(decoded_text(r.text)).end_object();
  }
  w.end_array().key("tunnels").begin_array();
  for (const TunnelRow& r : s.tunnels) w.begin_object().key("from").value(r.from).key("to").value(r.to).key("galleria").value(r.kind).end_object();
  w.end_array();
  const CheckCodeState& c = s.check_codes;
  w.key("check_codes").begin_object();
  w.key("plain").begin_object().key("stored");
  if (c.plain_stored) w.value(int64_t{*c.plain_stored});
  else w.null();
  w.key("expected").value(int64_t{c.plain_expected}).key("matches").value(plain_matches(c)).end_object();
  w.key("weighted").begin_object().key("stored");
  if (c.weighted_stored) w.value(*c.weighted_stored);
  else w.null();
  w.key("expected").value(c.weighted_expected).key("matches").value(weighted_matches(c)).end_object();
  w.key("all_match").value(check_codes_match(s)).end_object();
  w.end_object();
  return w.text() + "\n";
}

}  // namespace scenpack
