#include "readers/route_map.h"

#include <array>

#include "readers/field_reader.h"
#include "readers/checked_conversion.h"
#include "readers/read_fault.h"

namespace scenpack {
namespace {

struct CurveClass {
  const char* digit;
  double curvature;
};
constexpr std::array<CurveClass, 6> kClasses = {{
    {"1", 0.0001}, {"2", 0.0002}, {"3", 0.0004}, {"4", 0.001}, {"5", 0.002}, {"6", 0.003},
}};

// Point j from the two before it: straight on, then turned by k. Evaluated
// as written: x(j) = (x(j-1) + dx) + k*dy, y(j) = (y(j-1) + dy) - k*dx.
void draw_point(RouteMap& map, bool turning, double k) {
  const int64_t j = map.points_set;
  if (j > map.last_index) {
    throw ReadFault{"curve passes the end of the route map at metre " + std::to_string(j), 0};
  }
  const size_t at = static_cast<size_t>(j);
  const double dx = map.x[at - 1] - map.x[at - 2];
  const double dy = map.y[at - 1] - map.y[at - 2];
  if (turning) {
    map.x[at] = (map.x[at - 1] + dx) + k * dy;
    map.y[at] = (map.y[at - 1] + dy) - k * dx;
  } else {
    map.x[at] = map.x[at - 1] + dx;
    map.y[at] = map.y[at - 1] + dy;
  }
  map.points_set = static_cast<int32_t>(j + 1);
}

}  // namespace

std::optional<double> curve_curvature(std::string_view keyword) {
  for (const CurveClass& c : kClasses) {
    if (contains_nocase(keyword, c.digit)) {
      return contains_nocase(keyword, "s") ? -c.curvature : c.curvature;
    }
  }
  return std::nullopt;
}

void start_map(RouteMap& map) {
  if (!map.sized || map.last_index < 1) throw ReadFault{"route map has no room for its first points", 0};
  map.x[0] = 0;
  map.y[0] = 0;
  map.x[1] = 0;
  map.y[1] = 1;
  map.points_set = 2;
}

DrawResult draw_curve(RouteMap& map, int32_t p, int32_t len, double k) {
  if (!map.sized || map.points_set < 2) throw ReadFault{"route map not started", 0};
  while (map.points_set <= p) {
    draw_point(map, false, 0.0);
    if (map.points_set > kMapMetreLimit) return DrawResult::kPastMetreLimit;
  }
  const int32_t end = long_or_fault(static_cast<double>(p) + len);
  while (map.points_set <= end) {
    draw_point(map, true, k);
    if (map.points_set > kMapMetreLimit) return DrawResult::kPastMetreLimit;
  }
  return DrawResult::kDrawn;
}

void complete_map(RouteMap& map) {
  if (!map.sized || map.points_set < 2) return;
  const int64_t last_drawn = static_cast<int64_t>(map.last_index) - 2;
  while (map.points_set <= last_drawn) draw_point(map, false, 0.0);
}

}  // namespace scenpack
