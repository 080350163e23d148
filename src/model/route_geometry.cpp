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

size_t MapPointCursor::next(double* x, double* y, size_t room) {
  size_t n = 0;
  if (!map_.x.empty()) {
    const size_t held = points_given(map_);
    const size_t from = static_cast<size_t>(j_);
    n = from < held ? std::min(room, held - from) : 0;
    std::copy_n(map_.x.begin() + static_cast<std::ptrdiff_t>(from), n, x);
    std::copy_n(map_.y.begin() + static_cast<std::ptrdiff_t>(from), n, y);
    j_ += static_cast<int32_t>(n);
    return n;
  }
  // Points 0 and 1: (0, 0) and (0, 1).
  for (; n < room && j_ < 2 && j_ < map_.points_set; ++n, ++j_) {
    x[n] = 0.0;
    y[n] = j_ == 0 ? 0.0 : 1.0;
  }
  while (n < room && j_ < map_.points_set && run_ < map_.runs.size()) {
    const MapRun& run = map_.runs[run_];
    if (j_ > run.last) {
      ++run_;
      continue;
    }
    const int32_t stop = static_cast<int32_t>(std::min<int64_t>(run.last, j_ + static_cast<int64_t>(room - n) - 1));
    double x0 = x0_, y0 = y0_, x1 = x1_, y1 = y1_;
    if (run.curve == kStraight) {
      for (; j_ <= stop; ++j_, ++n) {
        const double dx = x1 - x0;
        const double dy = y1 - y0;
        x0 = x1;
        y0 = y1;
        x1 = x1 + dx;
        y1 = y1 + dy;
        x[n] = x1;
        y[n] = y1;
      }
    } else {
      const double k = curvature(run.curve);
      for (; j_ <= stop; ++j_, ++n) {
        const double dx = x1 - x0;
        const double dy = y1 - y0;
        x0 = x1;
        y0 = y1;
        x1 = (x1 + dx) + k * dy;
        y1 = (y1 + dy) - k * dx;
        x[n] = x1;
        y[n] = y1;
      }
    }
    x0_ = x0;
    y0_ = y0;
    x1_ = x1;
    y1_ = y1;
  }
  return n;
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
