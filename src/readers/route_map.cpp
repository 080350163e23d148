#include "readers/route_map.h"

#include <algorithm>

#include "readers/field_reader.h"
#include "readers/checked_conversion.h"
#include "readers/read_fault.h"

namespace scenpack {
namespace {

// The class digits in the order they are looked for.
constexpr std::string_view kClassDigits = "123456";

// Sets the points from the next one up to `to` as drawing them one metre at
// a time would: a point beyond the end of the map is a ReadFault, the points
// before it set; with `limited` the drawing stops after the first point at
// or above metre 1000000 (kPastMetreLimit).
DrawResult draw_run(RouteMap& map, int64_t to, CurveClass curve, bool limited) {
  const int64_t from = map.points_set;
  if (from > to) return DrawResult::kDrawn;
  int64_t last = to;
  DrawResult result = DrawResult::kDrawn;
  if (limited) {
    const int64_t stop = std::max<int64_t>(from, kMapMetreLimit);
    if (stop <= to) {
      last = stop;
      result = DrawResult::kPastMetreLimit;
    }
  }
  if (last > map.last_index) {
    map.add_run(map.last_index, curve);
    const int64_t beyond = static_cast<int64_t>(map.last_index) + 1;
    throw ReadFault{"curve passes the end of the route map at metre " + std::to_string(beyond), 0};
  }
  map.add_run(static_cast<int32_t>(last), curve);
  return result;
}

}  // namespace

std::optional<CurveClass> curve_class(std::string_view keyword) {
  // The digits in class order, wherever they stand; a digit has no case.
  for (size_t c = 0; c < kClassDigits.size(); ++c) {
    if (keyword.find(kClassDigits[c]) != std::string_view::npos) {
      const auto number = static_cast<CurveClass>(c + 1);
      const bool left = keyword.find_first_of("sS") != std::string_view::npos;
      return left ? static_cast<CurveClass>(-number) : number;
    }
  }
  return std::nullopt;
}

void start_map(RouteMap& map) {
  if (!map.sized || map.last_index < 1) throw ReadFault{"route map has no room for its first points", 0};
  map.runs.clear();
  map.points_set = 2;
}

DrawResult draw_curve(RouteMap& map, int32_t p, int32_t len, CurveClass curve) {
  if (!map.sized || map.points_set < 2) throw ReadFault{"route map not started", 0};
  if (draw_run(map, p, kStraight, true) == DrawResult::kPastMetreLimit) return DrawResult::kPastMetreLimit;
  const int32_t end = long_or_fault(static_cast<double>(p) + len);
  return draw_run(map, end, curve, true);
}

void complete_map(RouteMap& map) {
  if (!map.sized || map.points_set < 2) return;
  draw_run(map, static_cast<int64_t>(map.last_index) - 2, kStraight, false);
}

}  // namespace scenpack
