#include "view/route_picture.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "markup/xml_writer.h"
#include "model/cell_roles.h"
#include "model/route_geometry.h"
#include "view/label_places.h"
#include "view/names.h"
#include "view/shown_text.h"

namespace scenpack {
namespace {

constexpr double kMapTolerance = 0.5;   // picture units between kept map points
constexpr size_t kMostMapPoints = 20000;
constexpr int kMostKmTicks = 30;

// The frame of the map: as wide as the picture allows, as tall as the
// route's shape asks within these bounds.
constexpr double kPictureWidth = 1200;
constexpr double kMargin = 40;
constexpr double kMapTop = 50;
constexpr double kMapPadding = 30;  // between the frame and the track's extent
constexpr double kLeastMapHeight = 220;
constexpr double kMostMapHeight = 640;
constexpr double kLeastMapWidth = 320;
// The profile: its left margin holds the lanes' titles and the axes' values.
constexpr double kProfileLeft = 110;
constexpr double kProfileGap = 50;
constexpr double kProfileHeight = 340;
constexpr double kNameRow = 15;  // one row of station names under the km axis
constexpr int kNameRows = 3;

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

// What the picture needs of the map's set points, gathered by walking them
// (a million of them are never held): first their count and extent, then,
// once the frame is known, the points of the track and those of the marks.
struct MapSketch {
  size_t count = 0;
  Extent extent;
  std::vector<DecimationLadder::Kept> track;  // the points drawn, in order
  std::vector<size_t> marked_metres;       // sorted, each below count
  std::vector<PicturePoint> marked;        // the map point (metres) of each
};

MapSketch map_outline(const CompiledScenario& c) {
  MapSketch m;
  if (c.map_ranges && c.mappa && c.mappa->points_set > 0) {
    const MapRanges& r = *c.map_ranges;
    m.count = static_cast<size_t>(c.mappa->points_set);
    m.extent = {r.min_x, r.max_x, r.min_y, r.max_y};
    return m;
  }
  ExtentGatherer extent;
  walk_map_points(c, [&](size_t, std::span<const double> x, std::span<const double> y) {
    m.count += x.size();
    extent.add(x, y);
  });
  m.extent = extent.extent();
  return m;
}

PictureLayout layout_for(const MapSketch& points) {
  PictureLayout l;
  const double widest = kPictureWidth - 2 * kMargin;
  double width = widest;
  double height = kLeastMapHeight;
  if (points.count >= 2) {
    const Extent& e = points.extent;
    const double w = e.max_x - e.min_x;
    const double h = e.max_y - e.min_y;
    if (w > 0 && h > 0) {
      const double aspect = h / w;
      height = std::clamp((widest - 2 * kMapPadding) * aspect + 2 * kMapPadding, kLeastMapHeight, kMostMapHeight);
      width = std::clamp((height - 2 * kMapPadding) / aspect + 2 * kMapPadding, kLeastMapWidth, widest);
    } else if (h > 0) {
      height = kMostMapHeight;
      width = kLeastMapWidth;
    }
  }
  l.width = kPictureWidth;
  l.map = {kMargin, kMapTop, width, height};
  l.profile = {kProfileLeft, l.map.bottom() + kProfileGap, kPictureWidth - kMargin - kProfileLeft, kProfileHeight};
  l.height = l.profile.bottom() + 30 + kNameRows * kNameRow + 10;
  return l;
}

// Everything the two parts share: the points of the map and the km scale.
struct Drawing {
  const ScenarioSummary& summary;
  MapSketch points;
  PictureLayout layout;
  double route_metres = 0;
  LinearScale km;  // metres along the route -> picture x of the profile
};

double route_metres_of(const CompiledScenario& c, const ScenarioSummary& s) {
  if (s.route_length && *s.route_length > 0) return *s.route_length;
  if (c.celle && !c.celle->empty()) return static_cast<double>(c.celle->size() - 1) * kCellLength;
  if (c.mappa && c.mappa->points_set > 0) return c.mappa->points_set - 1;
  return 1000;
}

// The set metre that stands for `metre` on the map (the nearest end when
// it lies beyond the set points).
size_t map_metre(size_t count, int64_t metre) {
  return static_cast<size_t>(std::clamp<int64_t>(metre, 0, static_cast<int64_t>(count) - 1));
}

PicturePoint map_point_at(const Drawing& d, const MapProjection& p, int64_t metre) {
  if (d.points.count == 0) return {};
  const std::vector<size_t>& metres = d.points.marked_metres;
  const auto at = std::lower_bound(metres.begin(), metres.end(), map_metre(d.points.count, metre));
  if (at == metres.end() || *at != map_metre(d.points.count, metre)) return {};
  const PicturePoint& m = d.points.marked[static_cast<size_t>(at - metres.begin())];
  return p(m.x, m.y);
}

// The metres of the km marks on the map.
std::vector<double> km_marks(double route_metres) {
  std::vector<double> marks;
  const double step = tick_spacing(route_metres / 1000, kMostKmTicks) * 1000;
  for (double m = 0; m <= route_metres; m += step) marks.push_back(m);
  return marks;
}

// The metres whose map points the marks stand on: stations, the ends of
// tunnels, km marks.
std::vector<size_t> marked_metres(const Drawing& d) {
  std::vector<size_t> metres;
  const size_t count = d.points.count;
  for (const StationRow& s : d.summary.stations) metres.push_back(map_metre(count, s.position));
  for (const TunnelRow& t : d.summary.tunnels) {
    metres.push_back(map_metre(count, t.from));
    metres.push_back(map_metre(count, t.to));
  }
  for (double m : km_marks(d.route_metres)) metres.push_back(map_metre(count, static_cast<int64_t>(m)));
  std::sort(metres.begin(), metres.end());
  metres.erase(std::unique(metres.begin(), metres.end()), metres.end());
  return metres;
}

// The frame's inner box, in which the track's extent is fitted.
Box map_inner(const Box& a) {
  return {a.left + kMapPadding, a.top + kMapPadding, a.width - 2 * kMapPadding, a.height - 2 * kMapPadding};
}

// The second walk (more only when eight tolerances did not thin the track
// enough): the points of the track, kept at least kMapTolerance apart or
// as little more as will do, and those of the marks.
void sketch_track(const CompiledScenario& c, Drawing& d) {
  MapSketch& m = d.points;
  if (m.count < 2) return;
  m.marked_metres = marked_metres(d);
  m.marked.assign(m.marked_metres.size(), PicturePoint{});
  const MapProjection p = fit_equal_scales(m.extent, map_inner(d.layout.map));
  for (double tolerance = kMapTolerance;;) {
    DecimationLadder ladder(p, tolerance, DecimationLadder::kSteps, kMostMapPoints, m.count);
    size_t next_mark = 0;
    walk_map_points(c, [&](size_t first, std::span<const double> x, std::span<const double> y) {
      ladder.add(first, x, y);
      for (; next_mark < m.marked_metres.size() && m.marked_metres[next_mark] < first + x.size(); ++next_mark) {
        if (m.marked_metres[next_mark] < first) continue;
        const size_t k = m.marked_metres[next_mark] - first;
        m.marked[next_mark] = {x[k], y[k]};
      }
    });
    if (std::optional<std::vector<DecimationLadder::Kept>> kept = ladder.finest_complete()) {
      m.track = std::move(*kept);
      return;
    }
    tolerance = ladder.next_tolerance();
  }
}

// A text at the first of `tries` that `places` has room for; none when
// none has.
void placed_text(XmlWriter& w, LabelPlaces& places, const std::string& text, double size,
                 const std::vector<TextPlace>& tries, const char* cls, const char* colour = "#222222") {
  const TextPlace* at = places.take(text, size, tries);
  if (!at) return;
  w.element("text", text, {{"class", cls}, {"x", n(at->x)}, {"y", n(at->y)}, {"font-size", n(size)},
                           {"text-anchor", anchor_name(at->anchor)}, {"fill", colour}});
}

void draw_track(XmlWriter& w, const Drawing& d, const MapProjection& p) {
  const std::vector<DecimationLadder::Kept>& kept = d.points.track;
  std::vector<PicturePoint> track;
  track.reserve(kept.size());
  for (const DecimationLadder::Kept& k : kept) track.push_back(p(k.x, k.y));
  w.leaf("polyline", {{"class", "track"}, {"points", points_text(track)}, {"fill", "none"}, {"stroke", kTrackColour},
                      {"stroke-width", "2.5"}, {"stroke-linejoin", "round"}});
  // Tunnels: the kept points inside each, drawn thick and dashed over the track.
  for (const TunnelRow& t : d.summary.tunnels) {
    std::vector<PicturePoint> part{map_point_at(d, p, t.from)};
    for (const DecimationLadder::Kept& k : kept) {
      const auto i = static_cast<int64_t>(k.index);
      if (i > t.from && i < t.to) part.push_back(p(k.x, k.y));
    }
    part.push_back(map_point_at(d, p, t.to));
    w.leaf("polyline", {{"class", "tunnel"}, {"points", points_text(part)}, {"fill", "none"}, {"stroke", kTunnelColour},
                        {"stroke-width", "6"}, {"stroke-dasharray", "5 3"}});
  }
}

// Places around a mark at q, nearest first.
std::vector<TextPlace> around(const PicturePoint& q, double size) {
  const double up = q.y - 5, down = q.y + size + 3, mid = q.y + size / 3;
  return {{q.x + 7, mid, Anchor::kStart},        {q.x - 7, mid, Anchor::kEnd},
          {q.x, up, Anchor::kMiddle},            {q.x, down, Anchor::kMiddle},
          {q.x + 7, up, Anchor::kStart},         {q.x - 7, up, Anchor::kEnd},
          {q.x + 7, down, Anchor::kStart},       {q.x - 7, down, Anchor::kEnd},
          {q.x + 7, up - size, Anchor::kStart},  {q.x - 7, up - size, Anchor::kEnd},
          {q.x + 7, down + size, Anchor::kStart}, {q.x - 7, down + size, Anchor::kEnd}};
}

void draw_map(XmlWriter& w, const Drawing& d) {
  const Box& a = d.layout.map;
  w.open("g", {{"id", "map"}});
  w.leaf("rect", {{"x", n(a.left)}, {"y", n(a.top)}, {"width", n(a.width)}, {"height", n(a.height)},
                  {"fill", "#f7f7f2"}, {"stroke", "#cccccc"}});
  if (d.points.count < 2) {
    w.element("text", "no route map", {{"x", n(a.left + a.width / 2)}, {"y", n(a.top + a.height / 2)}, {"text-anchor", "middle"}});
    w.close();
    return;
  }
  const MapProjection p = fit_equal_scales(d.points.extent, map_inner(a));
  draw_track(w, d, p);
  LabelPlaces places(a);
  // The stations first, each with its name in a tooltip; then their names
  // where there is room, then the km marks' labels where there still is.
  for (const StationRow& s : d.summary.stations) {
    const PicturePoint q = map_point_at(d, p, s.position);
    w.open("circle", {{"class", "station"}, {"cx", n(q.x)}, {"cy", n(q.y)}, {"r", "4"}, {"fill", kStationColour}});
    w.element("title", decoded_text(s.name) + ", " + svg_number(s.position / 1000.0, 3) + " km").close();
  }
  for (const StationRow& s : d.summary.stations) {
    placed_text(w, places, decoded_text(s.name), 10, around(map_point_at(d, p, s.position), 10), "station-name");
  }
  for (double m : km_marks(d.route_metres)) {
    const PicturePoint q = map_point_at(d, p, static_cast<int64_t>(m));
    w.leaf("circle", {{"class", "km-mark"}, {"cx", n(q.x)}, {"cy", n(q.y)}, {"r", "2"}, {"fill", "#555555"}});
    placed_text(w, places, svg_number(m / 1000) + " km", 9, around(q, 9), "km-label", "#555555");
  }
  w.close();
}

// The lanes of the profile band, top to bottom.
struct Lanes {
  Box speed, gradient, signals, code_points, text_boards;
};

Lanes profile_lanes(const Box& b) {
  return {{b.left, b.top + 5, b.width, 120},
          {b.left, b.top + 135, b.width, 110},
          {b.left, b.top + 255, b.width, 22},
          {b.left, b.top + 282, b.width, 22},
          {b.left, b.top + 309, b.width, 22}};
}

// A lane's title in the margin left of the band, one line or two.
void lane_title(XmlWriter& w, LabelPlaces& places, const Box& lane, const std::string& first,
                const std::string& second = "") {
  const double y = lane.top + (second.empty() ? lane.height / 2 + 4 : 14);
  placed_text(w, places, first, 10, {{6, y, Anchor::kStart}}, "lane-title", "#333333");
  if (!second.empty()) placed_text(w, places, second, 10, {{6, y + 16, Anchor::kStart}}, "lane-title", "#333333");
}

// Values along the left edge of a lane, from `low` to `high` every `step`.
void axis_values(XmlWriter& w, LabelPlaces& places, const Box& b, const LinearScale& y, double low, double high,
                 double step, bool with_sign) {
  for (double v = low; v <= high + step / 1e6; v += step) {
    const double at = y(v);
    w.leaf("line", {{"x1", n(b.left - 3)}, {"y1", n(at)}, {"x2", n(b.left)}, {"y2", n(at)}, {"stroke", "#777777"}});
    std::string text = with_sign && v > 0 ? "+" : "";
    text += svg_number(v);
    placed_text(w, places, text, 9, {{b.left - 5, at + 3, Anchor::kEnd}}, "axis-value", "#555555");
  }
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

// The slow orders' bands, all under the speed and gradient lines, so that
// a route full of slow orders still shows its lines.
void slow_order_bands(XmlWriter& w, const Drawing& d, const Box& b) {
  for (const SlowOrderRow& s : d.summary.slow_orders) {
    const double x1 = d.km(static_cast<double>(s.start));
    const double x2 = d.km(static_cast<double>(s.end.value_or(s.start + kCellLength)));
    w.open("rect", {{"class", "slow-order"}, {"x", n(std::min(x1, x2))}, {"y", n(b.top)},
                    {"width", n(std::max(2.0, std::fabs(x2 - x1)))}, {"height", n(b.height)},
                    {"fill", "#f4b400"}, {"fill-opacity", "0.35"}});
    w.element("title", "slow order " + std::to_string(s.speed) + " km/h from " + std::to_string(s.start) + " m" +
                           (s.end ? " to " + std::to_string(*s.end) + " m" : std::string()))
        .close();
  }
}

// Each band's speed where there is room, over every band (a later band
// drawn over a label would cut it).
void slow_order_speeds(XmlWriter& w, LabelPlaces& places, const Drawing& d, const Box& b) {
  for (const SlowOrderRow& s : d.summary.slow_orders) {
    const double x1 = d.km(static_cast<double>(s.start));
    const double x2 = d.km(static_cast<double>(s.end.value_or(s.start + kCellLength)));
    const double mid = (x1 + x2) / 2;
    placed_text(w, places, std::to_string(s.speed) + " km/h", 9,
                {{mid, b.top + 14, Anchor::kMiddle}, {mid, b.top + 26, Anchor::kMiddle}}, "slow-order-speed", "#7a5a00");
  }
}

void speed_and_gradient(XmlWriter& w, LabelPlaces& places, const Drawing& d, const CompiledScenario& c,
                        const Lanes& lanes) {
  const Box& b = d.layout.profile;
  // The cells of the route itself: the margin after its end is never filled.
  const std::vector<double> speed = cell_values(*c.celle, [](const Cella& x) { return 5.0 * speed_limit_steps(x); });
  const std::vector<double> gradient = cell_values(*c.celle, [](const Cella& x) { return gradient_byte(x) - 100.0; });
  double top_speed = 50;
  double steepest = 5;
  for (size_t i = 0; i < speed.size() && static_cast<double>(i) * kCellLength < d.route_metres; ++i) {
    top_speed = std::max(top_speed, speed[i]);
    steepest = std::max(steepest, std::fabs(gradient[i]));
  }
  const double speed_step = tick_spacing(top_speed, 4);
  top_speed = std::ceil(top_speed / speed_step) * speed_step;
  const double gradient_step = tick_spacing(steepest, 2);
  steepest = std::ceil(steepest / gradient_step) * gradient_step;
  const LinearScale speed_y{0, top_speed, lanes.speed.bottom(), lanes.speed.top + 8};
  const LinearScale gradient_y{-steepest, steepest, lanes.gradient.bottom() - 4, lanes.gradient.top + 8};
  const double zero = gradient_y(0);
  w.leaf("line", {{"x1", n(b.left)}, {"y1", n(zero)}, {"x2", n(b.right())}, {"y2", n(zero)}, {"stroke", "#999999"}});
  w.leaf("polyline", {{"class", "speed"}, {"points", points_text(step_line(speed, kCellLength, d.km, speed_y))},
                      {"fill", "none"}, {"stroke", "#2e7d32"}, {"stroke-width", "2"}});
  w.leaf("polyline", {{"class", "gradient"}, {"points", points_text(step_line(gradient, kCellLength, d.km, gradient_y))},
                      {"fill", "none"}, {"stroke", "#6a1b9a"}, {"stroke-width", "2"}});
  axis_values(w, places, b, speed_y, 0, top_speed, speed_step, false);
  axis_values(w, places, b, gradient_y, -steepest, steepest, gradient_step, true);
  lane_title(w, places, lanes.speed, "speed limit", "km/h");
  lane_title(w, places, lanes.gradient, "gradient", "per mille");
}

void draw_profile(XmlWriter& w, const Drawing& d, const CompiledScenario& c) {
  const Box& b = d.layout.profile;
  const Lanes lanes = profile_lanes(b);
  LabelPlaces places({0, b.top - 2, d.layout.width, d.layout.height - (b.top - 2)});
  w.open("g", {{"id", "profile"}});
  w.leaf("rect", {{"x", n(b.left)}, {"y", n(b.top)}, {"width", n(b.width)}, {"height", n(b.height)},
                  {"fill", "#ffffff"}, {"stroke", "#cccccc"}});
  for (const StationRow& s : d.summary.stations) {
    const double x = d.km(s.position);
    w.open("line", {{"class", "station-line"}, {"x1", n(x)}, {"y1", n(b.top)}, {"x2", n(x)}, {"y2", n(b.bottom())},
                    {"stroke", kStationColour}, {"stroke-opacity", "0.4"}, {"stroke-dasharray", "2 3"}});
    w.element("title", decoded_text(s.name)).close();
  }
  slow_order_bands(w, d, b);
  // The titles and values of the margin first, then what the band holds.
  if (c.celle && !c.celle->empty()) speed_and_gradient(w, places, d, c, lanes);
  lane_title(w, places, lanes.signals, "signals");
  lane_title(w, places, lanes.code_points, "code points");
  lane_title(w, places, lanes.text_boards, "text boards");
  const double axis_y = b.bottom() + 14;
  placed_text(w, places, "km", 10, {{b.left - 5, axis_y, Anchor::kEnd}}, "axis-title", "#333333");
  slow_order_speeds(w, places, d, b);
  ticks(w, d, lanes.signals, d.summary.signals, [](const SignalCellRow& r) { return r.metre; }, "signal", "#d32f2f");
  ticks(w, d, lanes.code_points, d.summary.code_points, [](const CellRow& r) { return r.metre; }, "code-point", "#1565c0");
  ticks(w, d, lanes.text_boards, d.summary.text_boards, [](const TextBoardRow& r) { return r.metre; }, "text-board", "#ef6c00");
  // The km axis under the band, then the station names in rows under it.
  const double step = tick_spacing(d.route_metres / 1000, kMostKmTicks) * 1000;
  for (double m = 0; m <= d.route_metres; m += step) {
    placed_text(w, places, svg_number(m / 1000), 10, {{d.km(m), axis_y, Anchor::kMiddle}}, "km-value");
  }
  for (const StationRow& s : d.summary.stations) {
    const double x = d.km(s.position);
    std::vector<TextPlace> rows;
    for (int r = 0; r < kNameRows; ++r) rows.push_back({x, axis_y + 16 + r * kNameRow, Anchor::kMiddle});
    placed_text(w, places, decoded_text(s.name), 9, rows, "station-label");
  }
  w.close();
}

// More than the picture takes, for its writer to set aside: each mark
// (a band, a tick, a name with its tooltip) under 256 bytes, each point of
// the track under 16.
size_t picture_bytes(const Drawing& d) {
  const ScenarioSummary& s = d.summary;
  const size_t marks = s.stations.size() + s.signals.size() + s.slow_orders.size() + s.speed_boards.size() +
                       s.text_boards.size() + s.code_points.size() + s.no_code.size() + s.tunnels.size();
  return 64 * 1024 + 256 * marks + 16 * d.points.track.size();
}

}  // namespace

PictureLayout picture_layout(const CompiledScenario& c) { return layout_for(map_outline(c)); }

std::string route_svg(const CompiledScenario& c, const ScenarioSummary& s) {
  XmlWriter w;
  write_route_svg(w, c, s);
  return w.take_text();
}

void write_route_svg(XmlWriter& w, const CompiledScenario& c, const ScenarioSummary& s, size_t more_after) {
  Drawing d{s, map_outline(c), {}, route_metres_of(c, s), {}};
  d.layout = layout_for(d.points);
  sketch_track(c, d);
  const PictureLayout& l = d.layout;
  d.km = LinearScale{0, d.route_metres, l.profile.left, l.profile.right()};
  const std::string title = s.nome_scenario + (s.numero_treno.empty() ? "" : ", train " + s.numero_treno) + ": " +
                            svg_number(d.route_metres / 1000, 3) + " km";
  w.reserve(w.text().size() + picture_bytes(d) + more_after);
  w.open("svg", {{"xmlns", "http://www.w3.org/2000/svg"}, {"viewBox", "0 0 " + n(l.width) + " " + n(l.height)},
                 {"width", n(l.width)}, {"height", n(l.height)}, {"font-family", "sans-serif"}});
  w.element("title", title);
  // The map's names keep a rim of the map's ground around their letters, so
  // that they read where they lie over the track.
  w.element("style", "#map text { paint-order: stroke; stroke: #f7f7f2; stroke-width: 3px; stroke-linejoin: round; }");
  w.leaf("rect", {{"width", n(l.width)}, {"height", n(l.height)}, {"fill", "#ffffff"}});
  w.element("text", title, {{"x", n(l.map.left)}, {"y", "32"}, {"font-size", "18"}, {"font-weight", "bold"}});
  draw_map(w, d);
  draw_profile(w, d, c);
  w.close();
}

}  // namespace scenpack
