// Geometry of the route picture as plain functions: linear scales, the map
// fitted with equal scales on both axes, the reduction of a million map
// points to what the picture can show, the step line of a value per cell
// and a round tick spacing.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace scenpack {

struct Box {
  double left = 0, top = 0, width = 0, height = 0;
  double right() const { return left + width; }
  double bottom() const { return top + height; }
};

// Maps [from, to] onto [range_from, range_to] (either may be reversed). An
// empty domain maps everything to the middle of the range.
struct LinearScale {
  double from = 0, to = 1, range_from = 0, range_to = 1;
  double operator()(double v) const;
};

struct PicturePoint {
  double x = 0, y = 0;
};

// The map's extent in metres.
struct Extent {
  double min_x = 0, max_x = 0, min_y = 0, max_y = 0;
};
Extent extent_of(std::span<const double> x, std::span<const double> y);

// The same over points given a block at a time, in order (points that are
// not finite left out; all zero when none is).
class ExtentGatherer {
 public:
  void add(std::span<const double> x, std::span<const double> y);
  const Extent& extent() const { return extent_; }

 private:
  Extent extent_;
  bool any_ = false;
};

// Map metres to picture units with one scale for both axes, the map centred
// in `area`, north (growing y) up.
struct MapProjection {
  double scale = 1;  // picture units per metre
  double x0 = 0, y0 = 0;  // picture point of the metre origin
  PicturePoint operator()(double x, double y) const { return {x0 + x * scale, y0 - y * scale}; }
};
MapProjection fit_equal_scales(const Extent& e, const Box& area);

// The indices of the points worth drawing: the first and last always, and
// each point at least `tolerance` (picture units) from the last one kept.
// The tolerance doubles until at most `most` points are kept (most >= 2).
std::vector<size_t> decimate(std::span<const double> x, std::span<const double> y,
                             const MapProjection& p, double tolerance, size_t most);

// decimate() at several tolerances at once (`tolerance`, then each twice
// the one before; `steps` of them, at most kSteps), over the `count` points
// given a block at a time, in order: one walk over a map read from its file
// does what one try per walk would. A try that keeps `most` points before
// the last is out; the finest try left is what decimate() finds.
class DecimationLadder {
 public:
  // Tolerances tried in one walk: eight reach 128 times the finest, which
  // every route met so far needed far less than.
  static constexpr size_t kSteps = 8;
  struct Kept {
    size_t index;
    double x, y;
  };
  DecimationLadder(const MapProjection& p, double tolerance, size_t steps, size_t most, size_t count);
  void add(size_t first, std::span<const double> x, std::span<const double> y);
  // The kept points of the finest try that kept fewer than `most` before
  // the last, the last point with them; none when every try kept too many.
  std::optional<std::vector<Kept>> finest_complete() const;
  // The finest tolerance of the next ladder, for when no try completed.
  double next_tolerance() const { return next_tolerance_; }
  // The tolerance after `tolerance`.
  static double coarser(double tolerance) { return tolerance > 0 ? tolerance * 2 : 0.5; }

 private:
  void keep_first(double x, double y);
  void offer(size_t first, std::span<const double> x, std::span<const double> y, size_t from, size_t to);
  void test_every_try(size_t i, double x, double y, const PicturePoint& q);

  MapProjection projection_;
  size_t most_;
  size_t count_;
  double next_tolerance_;
  size_t steps_;

  // Each try's tolerance (and squared) and its last kept point in picture
  // units, side by side: a point is tested against all of them at once.
  std::array<double, kSteps> tolerance_{};
  std::array<double, kSteps> squared_{};
  std::array<double, kSteps> last_x_{};
  std::array<double, kSteps> last_y_{};
  std::array<std::vector<Kept>, kSteps> kept_;
  unsigned open_ = 0;  // a bit for each try that has not kept `most` points yet
  std::optional<Kept> last_point_;
  // The points between two tests: how far the track has gone since the
  // last test (at most), and how far it may go before any open try could
  // keep a point.
  PicturePoint previous_;
  double travelled_ = 0;
  double least_room_ = -1;
};

// The outline of a value held per cell (cell i covering [i, i + 1) x
// `cell_width` of the domain) as a step line in picture units: a point
// where each value begins and ends. Cells beyond `scale.to` are left out.
// When the steps would take more than four points per picture unit of
// width, each unit column gets its lowest and highest value instead.
std::vector<PicturePoint> step_line(const std::vector<double>& values, double cell_width, const LinearScale& x,
                                    const LinearScale& y);

// A round spacing (1, 2 or 5 times a power of ten) giving at most `most`
// ticks over `span`.
double tick_spacing(double span, int most);

}  // namespace scenpack
