#include "view/route_page.h"

#include <initializer_list>

#include "markup/xml_writer.h"
#include "view/author_terms.h"
#include "view/route_picture.h"
#include "view/shown_text.h"
#include "view/summary_output.h"

namespace scenpack {
namespace {

constexpr const char* kStyle =
    "body{font-family:sans-serif;margin:16px;color:#222}"
    // The picture and the tables side by side on a wide window; on a
    // narrower one the tables go below, and the picture shrinks to the
    // window rather than scroll.
    ".layout{display:flex;flex-wrap:wrap;gap:24px;align-items:flex-start}"
    ".picture{flex:0 1 auto;max-width:100%}"
    ".picture svg{display:block;max-width:100%;height:auto}"
    ".tables{flex:1 1 420px;min-width:0;font-size:12px}"
    "table{border-collapse:collapse;margin-bottom:16px}"
    "th,td{border:1px solid #ccc;padding:2px 6px;text-align:right}"
    "td.name{text-align:left}"
    "caption{text-align:left;font-weight:bold;padding:4px 0}";

std::string num(int64_t v) { return std::to_string(v); }

// A table with a caption, a header row and one row per item; `cells` gives
// a row's texts, `name_column` is left-aligned.
template <typename Row, typename Cells>
void table(XmlWriter& w, const std::string& id, const std::string& caption, std::initializer_list<const char*> header,
           const std::vector<Row>& rows, Cells cells, int name_column = -1) {
  w.open("table", {{"id", id}}).element("caption", caption + " (" + num(static_cast<int64_t>(rows.size())) + ")");
  w.open("tr");
  for (const char* h : header) w.element("th", h);
  w.close().newline();
  for (const Row& r : rows) {
    w.open("tr");
    int column = 0;
    for (const std::string& text : cells(r)) {
      if (column++ == name_column) w.element("td", text, {{"class", "name"}});
      else w.element("td", text);
    }
    w.close().newline();
  }
  w.close().newline();
}

void facts(XmlWriter& w, const ScenarioSummary& s) {
  w.open("ul", {{"id", "facts"}});
  if (s.route_length) w.element("li", "route length " + num(*s.route_length) + " m");
  if (s.start_clock) w.element("li", "start clock " + *s.start_clock);
  if (s.check_codes.plain_stored || s.check_codes.weighted_stored) {
    w.element("li", check_codes_match(s) ? "check codes match " + s.nome_scenario + " and " + s.numero_treno
                                         : "check codes DO NOT MATCH " + s.nome_scenario + " and " + s.numero_treno);
  }
  w.close().newline();
}

}  // namespace

std::string route_page(const CompiledScenario& c, const ScenarioSummary& s) {
  const std::string title = s.nome_scenario + (s.numero_treno.empty() ? "" : ", train " + s.numero_treno);
  XmlWriter w;
  w.raw("<!DOCTYPE html>\n");
  w.open("html", {{"lang", "en"}}).open("head").leaf("meta", {{"charset", "utf-8"}});
  w.element("title", title).element("style", kStyle).close().newline();
  w.open("body").element("h1", title).newline();
  w.open("div", {{"class", "layout"}}).open("div", {{"class", "picture"}});
  // The picture written in place, with room for the tables' rows after it
  // (under 128 bytes each).
  write_route_svg(w, c, s, 64 * 1024 + 128 * (s.stations.size() + s.slow_orders.size() + s.signals.size()));
  w.close().newline();
  w.open("div", {{"class", "tables"}});
  facts(w, s);
  table(w, "stations", "Stations", {"record", "metre", "near end", "far end", "kind", "time", "name"}, s.stations,
        [](const StationRow& r) {
          return std::vector<std::string>{num(r.record), num(r.position), num(r.near_end), num(r.far_end),
                                          station_kind_text(r.kind),
                                          clock_text(r.time), decoded_text(r.name)};
        }, 6);
  table(w, "slow-orders", "Slow orders", {"start", "end", "speed km/h"}, s.slow_orders, [](const SlowOrderRow& r) {
    return std::vector<std::string>{num(r.start), r.end ? num(*r.end) : "none", num(r.speed)};
  });
  table(w, "signals", "Signals", {"cell", "metre", "code 1", "code 2", "code 3", "group", "time"}, s.signals,
        [](const SignalCellRow& r) {
          return std::vector<std::string>{num(r.cell),        num(r.metre),       code_pair(r.code1), code_pair(r.code2),
                                          code_pair(r.code3), num(r.group),       num(r.time)};
        });
  w.close().close().close().close().newline();
  return w.take_text();
}

}  // namespace scenpack
