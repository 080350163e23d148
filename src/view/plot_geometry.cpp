#include "view/plot_geometry.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

namespace scenpack {

double LinearScale::operator()(double v) const {
  if (to == from) return (range_from + range_to) / 2;
  return range_from + (v - from) / (to - from) * (range_to - range_from);
}

void ExtentGatherer::add(std::span<const double> x, std::span<const double> y) {
  for (size_t i = 0; i < x.size() && i < y.size(); ++i) {
    if (!std::isfinite(x[i]) || !std::isfinite(y[i])) continue;
    if (!any_) {
      extent_ = {x[i], x[i], y[i], y[i]};
      any_ = true;
      continue;
    }
    extent_.min_x = std::min(extent_.min_x, x[i]);
    extent_.max_x = std::max(extent_.max_x, x[i]);
    extent_.min_y = std::min(extent_.min_y, y[i]);
    extent_.max_y = std::max(extent_.max_y, y[i]);
  }
}

Extent extent_of(std::span<const double> x, std::span<const double> y) {
  ExtentGatherer e;
  e.add(x, y);
  return e.extent();
}

MapProjection fit_equal_scales(const Extent& e, const Box& area) {
  const double w = e.max_x - e.min_x;
  const double h = e.max_y - e.min_y;
  MapProjection p;
  if (w > 0 && h > 0) p.scale = std::min(area.width / w, area.height / h);
  else if (w > 0) p.scale = area.width / w;
  else if (h > 0) p.scale = area.height / h;
  const double cx = (e.min_x + e.max_x) / 2;
  const double cy = (e.min_y + e.max_y) / 2;
  p.x0 = area.left + area.width / 2 - cx * p.scale;
  p.y0 = area.top + area.height / 2 + cy * p.scale;
  return p;
}

DecimationLadder::DecimationLadder(const MapProjection& p, double tolerance, size_t steps, size_t most, size_t count)
    : projection_(p), most_(std::max<size_t>(most, 2)), count_(count), steps_(std::clamp<size_t>(steps, 1, kSteps)) {
  // Tries not in use are never far from anything (and never open).
  squared_.fill(std::numeric_limits<double>::infinity());
  for (size_t k = 0; k < steps_; ++k, tolerance = coarser(tolerance)) {
    tolerance_[k] = tolerance;
    squared_[k] = tolerance * tolerance;
  }
  next_tolerance_ = tolerance;
}

void DecimationLadder::keep_first(double x, double y) {
  const PicturePoint q = projection_(x, y);
  for (size_t k = 0; k < steps_; ++k) {
    // Set aside, not written: a try fills only what it keeps, once.
    kept_[k].reserve(std::min(most_, count_));
    kept_[k].push_back({0, x, y});
    last_x_[k] = q.x;
    last_y_[k] = q.y;
  }
  open_ = (1u << steps_) - 1;
  previous_ = q;
  least_room_ = -1;  // the next point is tested
}

namespace {

// Room left for rounding when a point is passed over untested: far more
// than the rounding of the distances and of the sums of steps, each a few
// parts in 10^16 for the million steps of a map.
constexpr double kRoundingRoom = 1e-6;

}  // namespace

// Offers the points k in [from, to) of a block, all between the first
// and the last of the map. A point is tested only when the track may have
// left the tolerance of some open try since the last test: the steps since
// then, summed as |dx| + |dy| (never less than their length), are below
// every open try's tolerance less its distance at that test, so the points
// in between are within every tolerance and none would be kept. Map points
// a metre apart on a picture of a few hundred km are a small fraction of
// the finest tolerance apart: a test every few points, the rest passed over
// in a loop that keeps its sums in registers.
void DecimationLadder::offer(size_t first, std::span<const double> x, std::span<const double> y, size_t from,
                             size_t to) {
  if (open_ == 0) return;
  const MapProjection projection = projection_;
  PicturePoint previous = previous_;
  double travelled = travelled_;
  double room = least_room_;
  for (size_t k = from; k < to; ++k) {
    const PicturePoint q = projection(x[k], y[k]);
    travelled += std::fabs(q.x - previous.x) + std::fabs(q.y - previous.y);
    previous = q;
    if (travelled * (1 + kRoundingRoom) < room) continue;
    test_every_try(first + k, x[k], y[k], q);
    if (open_ == 0) return;  // no try keeps anything more
    travelled = 0;
    room = least_room_;
  }
  previous_ = previous;
  travelled_ = travelled;
}

// The distances to the tries' last kept points, computed for all of them in
// one straight loop (no branch); only the tries that keep the point are
// visited. Then the room each open try leaves before the next test.
void DecimationLadder::test_every_try(size_t i, double x, double y, const PicturePoint& q) {
  unsigned far = 0;
  for (size_t k = 0; k < kSteps; ++k) {
    const double dx = q.x - last_x_[k];
    const double dy = q.y - last_y_[k];
    far |= static_cast<unsigned>(dx * dx + dy * dy >= squared_[k]) << k;
  }
  for (far &= open_; far != 0; far &= far - 1) {
    const auto k = static_cast<size_t>(std::countr_zero(far));
    kept_[k].push_back({i, x, y});
    last_x_[k] = q.x;
    last_y_[k] = q.y;
    if (kept_[k].size() >= most_) open_ &= ~(1u << k);
  }
  travelled_ = 0;
  least_room_ = std::numeric_limits<double>::infinity();
  for (unsigned open = open_; open != 0; open &= open - 1) {
    const auto k = static_cast<size_t>(std::countr_zero(open));
    const double dx = q.x - last_x_[k];
    const double dy = q.y - last_y_[k];
    const double room = tolerance_[k] * (1 - kRoundingRoom) - std::sqrt(dx * dx + dy * dy) * (1 + kRoundingRoom);
    // A distance that is not a number leaves no room: every point is tested.
    if (!(room >= least_room_)) least_room_ = std::isnan(room) ? -1 : room;
  }
}

void DecimationLadder::add(size_t first, std::span<const double> x, std::span<const double> y) {
  const size_t n = std::min(x.size(), y.size());
  // Point 0 is kept by every try; points 1 to count - 2 are offered; the
  // last, count - 1, is kept aside for every try to end with.
  const size_t from = first == 0 && n > 0 ? 1 : 0;
  if (from == 1) keep_first(x[0], y[0]);
  const size_t offered_end = count_ > first + 1 ? std::min(n, count_ - first - 1) : 0;
  if (from < offered_end) offer(first, x, y, from, offered_end);
  if (count_ > first && count_ - first - 1 < n && count_ - 1 > 0) {
    const size_t k = count_ - first - 1;
    last_point_ = Kept{count_ - 1, x[k], y[k]};
  }
}

std::optional<std::vector<DecimationLadder::Kept>> DecimationLadder::finest_complete() const {
  for (size_t k = 0; k < steps_; ++k) {
    if (kept_[k].size() >= most_ && count_ != 1) continue;
    std::vector<Kept> all = kept_[k];
    if (count_ > 1 && last_point_) all.push_back(*last_point_);
    return all;
  }
  return std::nullopt;
}

std::vector<size_t> decimate(std::span<const double> x, std::span<const double> y, const MapProjection& p,
                             double tolerance, size_t most) {
  const size_t n = std::min(x.size(), y.size());
  if (n == 0) return {};
  for (;;) {
    DecimationLadder ladder(p, tolerance, DecimationLadder::kSteps, most, n);
    ladder.add(0, x.first(n), y.first(n));
    if (const std::optional<std::vector<DecimationLadder::Kept>> kept = ladder.finest_complete()) {
      std::vector<size_t> indices;
      for (const DecimationLadder::Kept& k : *kept) indices.push_back(k.index);
      return indices;
    }
    tolerance = ladder.next_tolerance();
  }
}

std::vector<PicturePoint> step_line(const std::vector<double>& values, double cell_width, const LinearScale& x,
                                    const LinearScale& y) {
  std::vector<PicturePoint> steps;
  size_t cells = 0;
  while (cells < values.size() && static_cast<double>(cells) * cell_width < x.to) ++cells;
  for (size_t i = 0; i < cells; ++i) {
    const double start = x(static_cast<double>(i) * cell_width);
    if (i == 0 || values[i] != values[i - 1]) {
      if (i > 0) steps.push_back({start, y(values[i - 1])});
      steps.push_back({start, y(values[i])});
    }
  }
  if (cells > 0) steps.push_back({x(std::min(static_cast<double>(cells) * cell_width, x.to)), y(values[cells - 1])});
  const double width = std::fabs(x.range_to - x.range_from);
  if (steps.size() <= static_cast<size_t>(4 * width) + 4) return steps;

  // Too fine to draw: the lowest and highest value of each unit column.
  const size_t columns = static_cast<size_t>(std::ceil(width));
  std::vector<double> low(columns, std::numeric_limits<double>::infinity());
  std::vector<double> high(columns, -std::numeric_limits<double>::infinity());
  const double left = std::min(x.range_from, x.range_to);
  for (size_t i = 0; i < cells; ++i) {
    const double at = x(static_cast<double>(i) * cell_width) - left;
    const size_t c = std::min(columns - 1, static_cast<size_t>(std::max(0.0, at)));
    low[c] = std::min(low[c], values[i]);
    high[c] = std::max(high[c], values[i]);
  }
  std::vector<PicturePoint> envelope;
  for (size_t c = 0; c < columns; ++c) {
    if (low[c] > high[c]) continue;
    envelope.push_back({left + static_cast<double>(c), y(high[c])});
    if (low[c] != high[c]) envelope.push_back({left + static_cast<double>(c), y(low[c])});
  }
  return envelope;
}

double tick_spacing(double span, int most) {
  if (!(span > 0) || most < 1) return 1;
  double power = std::pow(10.0, std::floor(std::log10(span / most)));
  for (;;) {
    for (double m : {1.0, 2.0, 5.0}) {
      if (span / (m * power) <= most) return m * power;
    }
    power *= 10;
  }
}

}  // namespace scenpack
