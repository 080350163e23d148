// The route map, two coordinates per metre, held as the drawing that makes
// its points: points 0 and 1 are (0, 0) and (0, 1); every later point is one
// step on from the two before it, straight or turned by the curvature of the
// curve it lies in. The drawing is a list of runs of points, a few bytes per
// curve record, where the points themselves would take 16 bytes a metre:
// they are computed again, always to the same bits, whenever they are read.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace scenpack {

// Curvature per metre of the curve classes 1 to 6.
constexpr std::array<double, 7> kClassCurvature = {0.0, 0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};

// How a run draws its points: 0 straight on; 1 to 6 a right-hand curve of
// that class; -1 to -6 a left-hand one (the curvature negated).
using CurveClass = int8_t;
constexpr CurveClass kStraight = 0;

// The curvature k of a curving run (class c: kClassCurvature[c], or its
// negation for a left-hand class).
inline double curvature(CurveClass c) { return c < 0 ? -kClassCurvature[-c] : kClassCurvature[c]; }

// Points from the end of the run before (from point 2 for the first run)
// up to and including `last`.
struct MapRun {
  int32_t last;
  CurveClass curve;
};

// The map has metres 0..last_index. Points 0 .. points_set-1 are set (points
// 0 and 1 are 16-bit Integers in the map file, later points Doubles); the
// points from points_set on are Empty. Set points come in order from metre
// 0 without gaps.
//
// A map drawn by the line reader holds its drawing, `runs`, and no points.
// A map read back from a map file holds its points, `x` and `y` (one value
// per metre, Empty metres 0), and no runs. MapPointCursor gives the points
// of either.
struct RouteMap {
  bool sized = false;
  int32_t last_index = -1;  // L + 7000 once sized
  int32_t points_set = 0;   // 0, or at least 2 once the map is started
  std::vector<MapRun> runs;
  std::vector<double> x;    // mappa(j, 0), when the points are held
  std::vector<double> y;    // mappa(j, 1)

  // Sets points points_set .. last as a run drawn with `curve`.
  void add_run(int32_t last, CurveClass curve);
};

// How many points MapPointCursor gives for the map.
size_t points_given(const RouteMap& map);

// How many more points a straight run can take on from its last two points
// (`before`, `last`: one coordinate) with every step exact. Each step adds
// d = last - before (the first step computes it so); a sum is exact when it
// is a whole multiple n * 2^q of the finest bit 2^q that `last` and d share
// with |n| < 2^53, and then the next difference gives d back unchanged. So
// while |last| + i*|d| < 2^(q+53), the i-th point on is exactly
// last + i*d, with i*d exact too: the same bits the step-by-step
// additions give. 0 when nothing can be said (a value that is not finite,
// or two negative zeros, whose sums change sign).
int64_t exact_straight_steps(double before, double last);

// Gives the set points of a map in order, a block at a time: the points it
// holds, or those its drawing makes. Point j of a drawing comes from the two
// before it exactly as written:
//   dx = x(j-1) - x(j-2), dy = y(j-1) - y(j-2)
//   straight: x(j) = x(j-1) + dx,          y(j) = y(j-1) + dy
//   curve:    x(j) = (x(j-1) + dx) + k*dy,  y(j) = (y(j-1) + dy) - k*dx
class MapPointCursor {
 public:
  explicit MapPointCursor(const RouteMap& map) : map_(map) {}

  // Hands the next points (at most `room`) to put(x, y) in order and returns
  // how many; 0 once every set point has been given. A writer that encodes
  // each point as it comes keeps its stores beside the computation, whose
  // chain of dependent additions leaves the processor room for them. `Put`
  // is a small value (a few pointers, say) that the loop copies into
  // registers and hands back when the run is drawn.
  template <typename Put>
  size_t next(size_t room, Put& put);

  // The same, stored into x[0..n) and y[0..n).
  size_t next(double* x, double* y, size_t room) {
    PointArrays arrays{x, y};
    return next(room, arrays);
  }

  // The index of the next point to be given.
  int32_t next_index() const { return j_; }

 private:
  struct PointArrays {
    double* x;
    double* y;
    void operator()(double xj, double yj) {
      *x++ = xj;
      *y++ = yj;
    }
  };

  // Points j_ .. stop of the run drawn with `curve`, from the two before.
  // Kept out of line so that its four doubles stay in registers across the
  // loop (bench/README.md has the figures).
  template <typename Put>
  void draw(CurveClass curve, int32_t stop, Put& put);

  // A straight stretch shorter than this is stepped through; after a step
  // that rounds, this many steps are taken before exactness is looked at again.
  static constexpr int64_t kLeastExactStretch = 16;
  static constexpr int64_t kStepsBeforeExact = 64;

  const RouteMap& map_;
  int32_t j_ = 0;
  size_t run_ = 0;
  double x0_ = 0.0, y0_ = 0.0, x1_ = 0.0, y1_ = 1.0;  // points j-2 and j-1
};

template <typename Put>
size_t MapPointCursor::next(size_t room, Put& put) {
  const int32_t first = j_;
  if (!map_.x.empty()) {
    const size_t held = points_given(map_);
    const size_t from = static_cast<size_t>(j_);
    const size_t n = from < held ? std::min(room, held - from) : 0;
    for (size_t i = 0; i < n; ++i) put(map_.x[from + i], map_.y[from + i]);
    j_ += static_cast<int32_t>(n);
    return n;
  }
  // Points 0 and 1: (0, 0) and (0, 1).
  for (; static_cast<size_t>(j_ - first) < room && j_ < 2 && j_ < map_.points_set; ++j_) {
    put(0.0, j_ == 0 ? 0.0 : 1.0);
  }
  while (static_cast<size_t>(j_ - first) < room && j_ < map_.points_set && run_ < map_.runs.size()) {
    const MapRun& run = map_.runs[run_];
    if (j_ > run.last) {
      ++run_;
      continue;
    }
    const int64_t left = static_cast<int64_t>(room) - (j_ - first);
    draw(run.curve, static_cast<int32_t>(std::min<int64_t>(run.last, j_ + left - 1)), put);
  }
  return static_cast<size_t>(j_ - first);
}

template <typename Put>
[[gnu::noinline]] void MapPointCursor::draw(CurveClass curve, int32_t stop, Put& to) {
  Put put = to;
  double x0 = x0_, y0 = y0_, x1 = x1_, y1 = y1_;
  int32_t j = j_;
  if (curve == kStraight) {
    while (j <= stop) {
      const int64_t left = static_cast<int64_t>(stop) - j + 1;
      const int64_t exact = std::min({exact_straight_steps(x0, x1), exact_straight_steps(y0, y1), left});
      if (exact >= kLeastExactStretch) {
        // Every step of the stretch is exact: its i-th point is x1 + i*dx,
        // and the points no longer wait on one another.
        const double dx = x1 - x0;
        const double dy = y1 - y0;
        for (int64_t i = 1; i <= exact; ++i) put(x1 + static_cast<double>(i) * dx, y1 + static_cast<double>(i) * dy);
        const double n = static_cast<double>(exact);
        x0 = x1 + (n - 1.0) * dx;
        y0 = y1 + (n - 1.0) * dy;
        x1 = x1 + n * dx;
        y1 = y1 + n * dy;
        j += static_cast<int32_t>(exact);
        continue;
      }
      // Step by step for a while: a step that rounds puts the next
      // difference on the grid of the points, from where the steps are exact.
      const int32_t until =
          static_cast<int32_t>(std::min<int64_t>(stop, static_cast<int64_t>(j) + kStepsBeforeExact - 1));
      for (; j <= until; ++j) {
        const double dx = x1 - x0;
        const double dy = y1 - y0;
        x0 = x1;
        y0 = y1;
        x1 = x1 + dx;
        y1 = y1 + dy;
        put(x1, y1);
      }
    }
  } else {
    const double k = curvature(curve);
    for (; j <= stop; ++j) {
      const double dx = x1 - x0;
      const double dy = y1 - y0;
      x0 = x1;
      y0 = y1;
      x1 = (x1 + dx) + k * dy;
      y1 = (y1 + dy) - k * dx;
      put(x1, y1);
    }
  }
  to = put;
  j_ = j;
  x0_ = x0;
  y0_ = y0;
  x1_ = x1;
  y1_ = y1;
}

// Every set point, for a reader that wants them at hand (16 bytes a point).
struct MapPoints {
  std::vector<double> x;  // mappa(j, 0), j = 0 .. points_set-1
  std::vector<double> y;  // mappa(j, 1)
};
MapPoints map_points(const RouteMap& map);

// Receives the set points of a map a block at a time: those of metres
// first, first + 1, ... (x[k] and y[k] the point of metre first + k), the
// blocks in order of metre.
using MapPointsVisit = std::function<void(size_t first, std::span<const double> x, std::span<const double> y)>;
constexpr size_t kMapPointsBlock = 4096;

// Every set point the map holds or draws, a block at a time.
void walk_map_points(const RouteMap& map, const MapPointsVisit& visit);

}  // namespace scenpack
