#include "model/route_geometry.h"

#include <algorithm>
#include <cstddef>

namespace scenpack {

void RouteMap::add_run(int32_t last, CurveClass curve) {
  if (last < points_set) return;
  if (!runs.empty() && runs.back().curve == curve) {
    runs.back().last = last;  // straight on as before, or the same curve going on
  } else {
    runs.push_back(MapRun{last, curve});
  }
  points_set = last + 1;
}

size_t points_given(const RouteMap& map) {
  const size_t set = static_cast<size_t>(std::max(map.points_set, 0));
  if (!map.x.empty()) return std::min({map.x.size(), map.y.size(), set});
  if (set < 2) return set;
  // The drawing covers points 2 .. the last run's last point.
  const int64_t drawn = map.runs.empty() ? 2 : static_cast<int64_t>(map.runs.back().last) + 1;
  return std::min(set, static_cast<size_t>(std::max<int64_t>(drawn, 2)));
}

MapPoints map_points(const RouteMap& map) {
  MapPoints points;
  const size_t n = map.points_set > 0 ? static_cast<size_t>(map.points_set) : 0;
  points.x.resize(n);
  points.y.resize(n);
  MapPointCursor cursor(map);
  size_t at = 0;
  while (size_t got = cursor.next(points.x.data() + at, points.y.data() + at, n - at)) at += got;
  points.x.resize(at);
  points.y.resize(at);
  return points;
}

}  // namespace scenpack
