#include "view/route_picture.h"

#include <algorithm>
#include <cmath>

#include "markup/xml_writer.h"
#include "model/route_geometry.h"
#include "view/names.h"
#include "view/shown_text.h"

namespace scenpack {
namespace {

constexpr double kMapTolerance = 0.5;   // picture units between kept map points
constexpr size_t kMostMapPoints = 20000;
constexpr int kMostKmTicks = 30;

const char* const kTrackColour = "#1f4e9c";
const char* const kTunnelColour = "#8a5a00";
const char* const kStationColour = "#c0392b";

std::string n(double v) { return svg_number(v); }

std::string points_text(const std::vector<PicturePoint>& pts) {
  std::string s;
  s.reserve(pts.size() * 12);
  for (const PicturePoint& p : pts) {
    if (!s.empty()) s += ' ';
    s += n(p.x) + "," + n(p.y);
  }
  return s;
}

struct MapView {
  std::span<const double> x, y;
};

// Everything the two parts share: the points of the map and the km scale.
struct Drawing {
  const ScenarioSummary& summary;
  MapPoints drawn;  // the points drawn from the map's runs, when it holds none
  MapView points;   // the map's set points
  double route_metres = 0;
  LinearScale km;  // metres along the route -> picture x of the profile
};

double route_metres_of(const CompiledScenario& c, const ScenarioSummary& s) {
  if (s.route_length && *s.route_length > 0) return *s.route_length;
  if (c.celle && !c.celle->empty()) return static_cast<double>(c.celle->size() - 1) * kCellLength;
  if (c.mappa && c.mappa->points_set > 0) return c.mappa->points_set - 1;
  return 1000;
}

PicturePoint map_point_at(const Drawing& d, const MapProjection& p, int64_t metre) {
  if (d.points.x.empty()) return {};
  const size_t j = static_cast<size_t>(std::clamp<int64_t>(metre, 0, static_cast<int64_t>(d.points.x.size()) - 1));
  return p(d.points.x[j], d.points.y[j]);
}

void draw_map(XmlWriter& w, const Drawing& d) {
  const Box& a = kPictureLayout.map;
  w.open("g", {{"id", "map"}});
  w.leaf("rect", {{"x", n(a.left)}, {"y", n(a.top)}, {"width", n(a.width)}, {"height", n(a.height)},
                  {"fill", "#f7f7f2"}, {"stroke", "#cccccc"}});
  if (d.points.x.size() < 2) {
    w.element("text", "no route map", {{"x", n(a.left + a.width / 2)}, {"y", n(a.top + a.height / 2)}, {"text-anchor", "middle"}});
    w.close();
    return;
  }
  const Box inner{a.left + 40, a.top + 30, a.width - 80, a.height - 60};
  const MapProjection p = fit_equal_scales(extent_of(d.points.x, d.points.y), inner);
  const std::vector<size_t> kept = decimate(d.points.x, d.points.y, p, kMapTolerance, kMostMapPoints);
  std::vector<PicturePoint> track;
  track.reserve(kept.size());
  for (size_t i : kept) track.push_back(p(d.points.x[i], d.points.y[i]));
  w.leaf("polyline", {{"class", "track"}, {"points", points_text(track)}, {"fill", "none"}, {"stroke", kTrackColour},
                      {"stroke-width", "2.5"}, {"stroke-linejoin", "round"}});
  // Tunnels: the kept points inside each, drawn thick and dashed over the track.
  for (const TunnelRow& t : d.summary.tunnels) {
    std::vector<PicturePoint> part{map_point_at(d, p, t.from)};
    for (size_t i : kept) {
      if (static_cast<int64_t>(i) > t.from && static_cast<int64_t>(i) < t.to) part.push_back(p(d.points.x[i], d.points.y[i]));
    }
    part.push_back(map_point_at(d, p, t.to));
    w.leaf("polyline", {{"class", "tunnel"}, {"points", points_text(part)}, {"fill", "none"}, {"stroke", kTunnelColour},
                        {"stroke-width", "6"}, {"stroke-dasharray", "5 3"}});
  }
  // A mark every few km along the track.
  const double step = tick_spacing(d.route_metres / 1000, kMostKmTicks) * 1000;
  for (double m = 0; m <= d.route_metres; m += step) {
    const PicturePoint q = map_point_at(d, p, static_cast<int64_t>(m));
    w.leaf("circle", {{"class", "km-mark"}, {"cx", n(q.x)}, {"cy", n(q.y)}, {"r", "2"}, {"fill", "#555555"}});
    w.element("text", svg_number(m / 1000) + " km", {{"x", n(q.x + 4)}, {"y", n(q.y + 12)}, {"font-size", "9"}, {"fill", "#555555"}});
  }
  for (const StationRow& s : d.summary.stations) {
    const PicturePoint q = map_point_at(d, p, s.position);
    w.leaf("circle", {{"class", "station"}, {"cx", n(q.x)}, {"cy", n(q.y)}, {"r", "4"}, {"fill", kStationColour}});
    w.element("text", decoded_text(s.name), {{"class", "station-name"}, {"x", n(q.x + 6)}, {"y", n(q.y - 4)}, {"font-size", "10"}});
  }
  w.close();
}

// The lanes of the profile band, top to bottom.
struct Lanes {
  Box speed, gradient, signals, code_points, text_boards;
};

Lanes profile_lanes() {
  const Box& b = kPictureLayout.profile;
  return {{b.left, b.top + 5, b.width, 120},
          {b.left, b.top + 135, b.width, 110},
          {b.left, b.top + 255, b.width, 22},
          {b.left, b.top + 282, b.width, 22},
          {b.left, b.top + 309, b.width, 22}};
}

void lane_label(XmlWriter& w, const Box& lane, const std::string& text) {
  w.element("text", text, {{"x", n(lane.left + 4)}, {"y", n(lane.top + 11)}, {"font-size", "10"}, {"fill", "#333333"}});
}

template <typename Row, typename Metre>
void ticks(XmlWriter& w, const Drawing& d, const Box& lane, const std::vector<Row>& rows, Metre metre,
           const char* cls, const char* colour) {
  for (const Row& r : rows) {
    const double x = d.km(static_cast<double>(metre(r)));
    w.leaf("line", {{"class", cls}, {"x1", n(x)}, {"y1", n(lane.top)}, {"x2", n(x)}, {"y2", n(lane.bottom())},
                    {"stroke", colour}, {"stroke-width", "1.5"}});
  }
}

std::vector<double> cell_values(const std::vector<Cella>& celle, double (*value)(const Cella&)) {
  std::vector<double> v;
  v.reserve(celle.size());
  for (const Cella& c : celle) v.push_back(value(c));
  return v;
}

void draw_profile(XmlWriter& w, const Drawing& d, const CompiledScenario& c) {
  const Box& b = kPictureLayout.profile;
  const Lanes lanes = profile_lanes();
  w.open("g", {{"id", "profile"}});
  w.leaf("rect", {{"x", n(b.left)}, {"y", n(b.top)}, {"width", n(b.width)}, {"height", n(b.height)},
                  {"fill", "#ffffff"}, {"stroke", "#cccccc"}});
  for (const SlowOrderRow& s : d.summary.slow_orders) {
    const double x1 = d.km(static_cast<double>(s.start));
    const double x2 = d.km(static_cast<double>(s.end.value_or(s.start + kCellLength)));
    w.leaf("rect", {{"class", "slow-order"}, {"x", n(std::min(x1, x2))}, {"y", n(b.top)},
                    {"width", n(std::max(2.0, std::fabs(x2 - x1)))}, {"height", n(b.height)},
                    {"fill", "#f4b400"}, {"fill-opacity", "0.35"}});
  }
  for (const StationRow& s : d.summary.stations) {
    const double x = d.km(s.position);
    w.leaf("line", {{"class", "station-line"}, {"x1", n(x)}, {"y1", n(b.top)}, {"x2", n(x)}, {"y2", n(b.bottom())},
                    {"stroke", kStationColour}, {"stroke-opacity", "0.4"}, {"stroke-dasharray", "2 3"}});
  }
  if (c.celle && !c.celle->empty()) {
    // The cells of the route itself: the margin after its end is never filled.
    const std::vector<double> speed = cell_values(*c.celle, [](const Cella& x) { return 5.0 * x.dato5; });
    const std::vector<double> gradient = cell_values(*c.celle, [](const Cella& x) { return x.dato6 - 100.0; });
    double top_speed = 50;
    double steepest = 5;
    for (size_t i = 0; i < speed.size() && static_cast<double>(i) * kCellLength < d.route_metres; ++i) {
      top_speed = std::max(top_speed, speed[i]);
      steepest = std::max(steepest, std::fabs(gradient[i]));
    }
    const LinearScale speed_y{0, top_speed, lanes.speed.bottom(), lanes.speed.top + 14};
    const LinearScale gradient_y{-steepest, steepest, lanes.gradient.bottom(), lanes.gradient.top + 14};
    const double zero = gradient_y(0);
    w.leaf("line", {{"x1", n(b.left)}, {"y1", n(zero)}, {"x2", n(b.right())}, {"y2", n(zero)}, {"stroke", "#999999"}});
    w.leaf("polyline", {{"class", "speed"}, {"points", points_text(step_line(speed, kCellLength, d.km, speed_y))},
                        {"fill", "none"}, {"stroke", "#2e7d32"}, {"stroke-width", "2"}});
    w.leaf("polyline", {{"class", "gradient"}, {"points", points_text(step_line(gradient, kCellLength, d.km, gradient_y))},
                        {"fill", "none"}, {"stroke", "#6a1b9a"}, {"stroke-width", "2"}});
    lane_label(w, lanes.speed, "speed limit, km/h (top " + svg_number(top_speed) + ")");
    lane_label(w, lanes.gradient, "gradient, per mille (" + svg_number(-steepest) + " to " + svg_number(steepest) + ")");
  }
  ticks(w, d, lanes.signals, d.summary.signals, [](const SignalRow& r) { return r.metre; }, "signal", "#d32f2f");
  ticks(w, d, lanes.code_points, d.summary.code_points, [](const CellRow& r) { return r.metre; }, "code-point", "#1565c0");
  ticks(w, d, lanes.text_boards, d.summary.text_boards, [](const TextBoardRow& r) { return r.metre; }, "text-board", "#ef6c00");
  lane_label(w, lanes.signals, "signals");
  lane_label(w, lanes.code_points, "code points");
  lane_label(w, lanes.text_boards, "text boards");
  // The km axis under the band, then the station names.
  const double step = tick_spacing(d.route_metres / 1000, kMostKmTicks) * 1000;
  for (double m = 0; m <= d.route_metres; m += step) {
    w.element("text", svg_number(m / 1000), {{"x", n(d.km(m))}, {"y", n(b.bottom() + 14)}, {"font-size", "10"}, {"text-anchor", "middle"}});
  }
  for (const StationRow& s : d.summary.stations) {
    const double x = d.km(s.position);
    const double y = b.bottom() + 24;
    w.element("text", decoded_text(s.name), {{"class", "station-label"}, {"x", n(x)}, {"y", n(y)}, {"font-size", "9"},
                               {"transform", "rotate(60 " + n(x) + " " + n(y) + ")"}});
  }
  w.close();
}

}  // namespace

std::string route_svg(const CompiledScenario& c, const ScenarioSummary& s) {
  const PictureLayout& l = kPictureLayout;
  Drawing d{s, {}, {}, route_metres_of(c, s), {}};
  if (c.mappa) {
    const RouteMap& m = *c.mappa;
    const size_t set = m.points_set > 0 ? static_cast<size_t>(m.points_set) : 0;
    // A decoded map holds its points: they are drawn where they are, not copied.
    if (m.x.size() >= set && m.y.size() >= set) {
      d.points = {std::span<const double>(m.x.data(), set), std::span<const double>(m.y.data(), set)};
    } else {
      d.drawn = map_points(m);
      d.points = {d.drawn.x, d.drawn.y};
    }
  }
  d.km = LinearScale{0, d.route_metres, l.profile.left, l.profile.right()};
  const std::string title = s.nome_scenario + (s.numero_treno.empty() ? "" : ", train " + s.numero_treno) + ": " +
                            svg_number(d.route_metres / 1000, 3) + " km";
  XmlWriter w;
  w.open("svg", {{"xmlns", "http://www.w3.org/2000/svg"}, {"viewBox", "0 0 " + n(l.width) + " " + n(l.height)},
                 {"width", n(l.width)}, {"height", n(l.height)}, {"font-family", "sans-serif"}});
  w.element("title", title);
  w.leaf("rect", {{"width", n(l.width)}, {"height", n(l.height)}, {"fill", "#ffffff"}});
  w.element("text", title, {{"x", n(l.map.left)}, {"y", "32"}, {"font-size", "18"}, {"font-weight", "bold"}});
  draw_map(w, d);
  draw_profile(w, d, c);
  w.close();
  return w.text();
}

}  // namespace scenpack
