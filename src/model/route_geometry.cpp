#include "model/route_geometry.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstdint>
#include <cfloat>
#include <cmath>
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

namespace {

// A finite, non-zero double as odd * 2^exponent.
struct OddTimesPower {
  uint64_t odd;
  int exponent;
};

OddTimesPower odd_times_power(double v) {
  const uint64_t bits = std::bit_cast<uint64_t>(v);
  const int biased = static_cast<int>((bits >> 52) & 0x7ff);
  const uint64_t fraction = bits & ((uint64_t{1} << 52) - 1);
  const uint64_t significand = biased == 0 ? fraction : fraction | (uint64_t{1} << 52);
  const int zeros = std::countr_zero(significand);
  return {significand >> zeros, (biased == 0 ? -1074 : biased - 1075) + zeros};
}

// v = odd * 2^exponent in units of 2^q (q <= exponent): false when that is
// 2^53 or more.
bool units_below_2_to_53(const OddTimesPower& v, int q, int64_t& units) {
  const int shift = v.exponent - q;
  if (shift >= 53 || v.odd >= (uint64_t{1} << (53 - shift))) return false;
  units = static_cast<int64_t>(v.odd << shift);
  return true;
}

constexpr int64_t kTwoTo53 = int64_t{1} << 53;
constexpr int64_t kExactEverywhere = INT64_MAX;

}  // namespace

int64_t exact_straight_steps(double before, double last) {
  const double d = last - before;
  if (!std::isfinite(d) || !std::isfinite(last)) return 0;
  if (d == 0.0) {
    if (last != 0.0) return kExactEverywhere;  // last + 0 is last, every time
    return std::signbit(d) && std::signbit(last) ? 0 : kExactEverywhere;
  }
  const OddTimesPower step = odd_times_power(d);
  const OddTimesPower from = last == 0.0 ? OddTimesPower{0, step.exponent} : odd_times_power(last);
  const int q = std::min(step.exponent, from.exponent);
  if (q > DBL_MAX_EXP - 53) return 0;  // 2^(q+53) would not be finite
  int64_t n_last = 0;
  int64_t n_d = 0;
  if (!units_below_2_to_53(from, q, n_last) || !units_below_2_to_53(step, q, n_d)) return 0;
  // The most i with n_last + i*n_d < 2^53.
  return (kTwoTo53 - 1 - n_last) / n_d;
}

size_t points_given(const RouteMap& map) {
  const size_t set = static_cast<size_t>(std::max(map.points_set, 0));
  if (!map.x.empty()) return std::min({map.x.size(), map.y.size(), set});
  if (set < 2) return set;
  // The drawing covers points 2 .. the last run's last point.
  const int64_t drawn = map.runs.empty() ? 2 : static_cast<int64_t>(map.runs.back().last) + 1;
  return std::min(set, static_cast<size_t>(std::max<int64_t>(drawn, 2)));
}

void walk_map_points(const RouteMap& map, const MapPointsVisit& visit) {
  std::vector<double> x(kMapPointsBlock);
  std::vector<double> y(kMapPointsBlock);
  MapPointCursor cursor(map);
  size_t first = 0;
  while (size_t got = cursor.next(x.data(), y.data(), kMapPointsBlock)) {
    visit(first, std::span<const double>(x.data(), got), std::span<const double>(y.data(), got));
    first += got;
  }
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
