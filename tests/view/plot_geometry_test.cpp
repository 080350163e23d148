#include "view/plot_geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <span>

namespace scenpack {
namespace {

TEST(PlotGeometry, ScalesMapTheirDomainAndFitTheMapWithEqualScales) {
  const LinearScale km{0, 270, 40, 1160};
  EXPECT_DOUBLE_EQ(km(0), 40);
  EXPECT_DOUBLE_EQ(km(135), 600);
  EXPECT_DOUBLE_EQ((LinearScale{5, 5, 10, 20})(5), 15);
  EXPECT_DOUBLE_EQ((LinearScale{-10, 10, 100, 0})(10), 0);  // reversed range: up is smaller

  // A map 2000 m wide and 1000 m high in a 1000 x 1000 box: 0.5 units a
  // metre on both axes, centred, north up.
  const MapProjection p = fit_equal_scales({0, 2000, -500, 500}, {0, 0, 1000, 1000});
  EXPECT_DOUBLE_EQ(p.scale, 0.5);
  EXPECT_DOUBLE_EQ(p(0, 0).x, 0);
  EXPECT_DOUBLE_EQ(p(2000, 0).x, 1000);
  EXPECT_DOUBLE_EQ(p(0, 500).y, 250);
  EXPECT_DOUBLE_EQ(p(0, -500).y, 750);
  // A straight line north: the height decides.
  EXPECT_DOUBLE_EQ(fit_equal_scales({0, 0, 0, 4000}, {0, 0, 1000, 500}).scale, 0.125);
}

TEST(PlotGeometry, DecimationKeepsEndsAndBoundsAMillionPoints) {
  // A million metres coiled in circles of 333 m (the tightest curve): the
  // path is long in picture units however the map is scaled.
  std::vector<double> x, y;
  for (int j = 0; j < 1000000; ++j) {
    x.push_back(333 * std::cos(j / 333.0));
    y.push_back(333 * std::sin(j / 333.0));
  }
  const MapProjection p = fit_equal_scales(extent_of(x, y), {0, 0, 1000, 1000});
  const std::vector<size_t> kept = decimate(x, y, p, 0.5, 20000);
  ASSERT_GE(kept.size(), 2u);
  EXPECT_LE(kept.size(), 20001u);
  EXPECT_EQ(kept.front(), 0u);
  EXPECT_EQ(kept.back(), 999999u);

  // A straight line 1000 units long keeps a point every half unit.
  std::vector<double> sx, sy;
  for (int j = 0; j <= 10000; ++j) sx.push_back(j), sy.push_back(0);
  const std::vector<size_t> line = decimate(sx, sy, fit_equal_scales(extent_of(sx, sy), {0, 0, 1000, 1000}), 0.5, 20000);
  EXPECT_EQ(line.size(), 2001u);
  EXPECT_EQ(line[1], 5u);
  EXPECT_TRUE(decimate({}, {}, p, 0.5, 10).empty());
  const std::vector<double> one{1};
  EXPECT_EQ(decimate(one, one, p, 0.5, 10), std::vector<size_t>{0});
}

TEST(PlotGeometry, ALadderOfTolerancesFindsInOneWalkWhatTriesOneByOneFind) {
  // A straight line 1000 units long, at most 600 points: 0.5 keeps 2000
  // and 1 keeps 1000 before the last, so 2 (a point every 20 m) is the
  // finest that does.
  std::vector<double> x, y;
  for (int j = 0; j <= 10000; ++j) x.push_back(j), y.push_back(0);
  const MapProjection p = fit_equal_scales(extent_of(x, y), {0, 0, 1000, 1000});
  const std::vector<size_t> held = decimate(x, y, p, 0.5, 600);
  ASSERT_EQ(held.size(), 501u);
  EXPECT_EQ(held[1], 20u);
  EXPECT_EQ(held.back(), 10000u);

  // The same points walked in blocks, by ladders of two tries: the first
  // has no try that keeps few enough and says where the next starts.
  const auto walked = [&](DecimationLadder& ladder) {
    for (size_t first = 0; first < x.size(); first += 1000) {
      const size_t n = std::min<size_t>(1000, x.size() - first);
      ladder.add(first, std::span<const double>(x).subspan(first, n), std::span<const double>(y).subspan(first, n));
    }
  };
  DecimationLadder fine(p, 0.5, 2, 600, x.size());
  walked(fine);
  EXPECT_FALSE(fine.finest_complete());
  ASSERT_EQ(fine.next_tolerance(), 2);
  DecimationLadder coarse(p, fine.next_tolerance(), 2, 600, x.size());
  walked(coarse);
  const std::optional<std::vector<DecimationLadder::Kept>> kept = coarse.finest_complete();
  ASSERT_TRUE(kept);
  std::vector<size_t> indices;
  for (const DecimationLadder::Kept& k : *kept) indices.push_back(k.index);
  EXPECT_EQ(indices, held);
}

// The rule each try follows, point by point: the first point, then every
// point at least `tolerance` from the last one kept, until `most` are kept.
std::vector<size_t> thinned_point_by_point(const std::vector<double>& x, const std::vector<double>& y,
                                           const MapProjection& p, double tolerance, size_t most) {
  std::vector<size_t> kept{0};
  PicturePoint last = p(x[0], y[0]);
  for (size_t i = 1; i + 1 < x.size() && kept.size() < most; ++i) {
    const PicturePoint q = p(x[i], y[i]);
    const double dx = q.x - last.x, dy = q.y - last.y;
    if (dx * dx + dy * dy >= tolerance * tolerance) kept.push_back(i), last = q;
  }
  return kept;
}

// The ladder passes over the points that cannot be kept without testing
// them; what it keeps must be what the rule keeps, whatever the steps:
// steps far below the tolerance, steps far above it, tracks that turn back
// on themselves, points that are not numbers.
TEST(PlotGeometry, ALadderKeepsWhatTheRuleKeepsWhateverTheSteps) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> unit(-1, 1);
  struct Track {
    const char* name;
    double step;        // metres per step, at most
    double turn;        // how far the direction may turn at each step
    double jump_every;  // a jump of a thousand steps now and then (0: never)
    bool not_numbers;
  } tracks[] = {
      {"fine curves", 1, 0.05, 0, false},
      {"coarse zigzag", 400, 3, 0, false},
      {"fine with jumps", 1, 0.2, 0.001, false},
      {"back and forth", 5, 3.1, 0, false},
      {"holes", 2, 0.1, 0, true},
  };
  for (const Track& track : tracks) {
    std::vector<double> x{0}, y{0};
    double heading = 0;
    for (int i = 1; i < 30000; ++i) {
      heading += track.turn * unit(random);
      const double length = track.step * (0.5 + 0.5 * unit(random)) *
                            (track.jump_every > 0 && unit(random) > 1 - 2 * track.jump_every ? 1000 : 1);
      x.push_back(x.back() + length * std::cos(heading));
      y.push_back(y.back() + length * std::sin(heading));
    }
    if (track.not_numbers) {
      for (size_t i = 100; i < x.size(); i += 997) x[i] = std::numeric_limits<double>::quiet_NaN();
      x[5000] = std::numeric_limits<double>::infinity();
    }
    const MapProjection p = fit_equal_scales(extent_of(x, y), {0, 0, 1000, 600});
    DecimationLadder ladder(p, 0.5, DecimationLadder::kSteps, 1u << 30, x.size());
    for (size_t first = 0; first < x.size(); first += 4096) {
      const size_t n = std::min<size_t>(4096, x.size() - first);
      ladder.add(first, std::span<const double>(x).subspan(first, n), std::span<const double>(y).subspan(first, n));
    }
    const std::optional<std::vector<DecimationLadder::Kept>> kept = ladder.finest_complete();
    ASSERT_TRUE(kept) << track.name;
    std::vector<size_t> indices;
    for (const DecimationLadder::Kept& k : *kept) indices.push_back(k.index);
    indices.pop_back();  // the last point, kept by every try
    EXPECT_EQ(indices, thinned_point_by_point(x, y, p, 0.5, 1u << 30)) << track.name;
    // Each coarser try alone, through decimate() with `most` just above
    // what the rule keeps at that tolerance and below what finer ones keep.
    for (double tolerance : {1.0, 4.0, 32.0}) {
      const std::vector<size_t> rule = thinned_point_by_point(x, y, p, tolerance, 1u << 30);
      std::vector<size_t> found = decimate(x, y, p, tolerance, rule.size() + 1);
      found.pop_back();
      EXPECT_EQ(found, rule) << track.name << " at " << tolerance;
    }
  }
}

TEST(PlotGeometry, StepLineHasAPointWhereEachValueBeginsAndEnds) {
  const LinearScale x{0, 200, 0, 200};
  const LinearScale y{0, 10, 10, 0};
  const std::vector<PicturePoint> steps = step_line({2, 2, 5, 5, 9}, 50, x, y);
  // Values 2, 2, 5, 5 over 0..200; the fifth cell lies beyond the domain.
  ASSERT_EQ(steps.size(), 4u);
  EXPECT_DOUBLE_EQ(steps[0].x, 0);
  EXPECT_DOUBLE_EQ(steps[0].y, 8);
  EXPECT_DOUBLE_EQ(steps[1].x, 100);
  EXPECT_DOUBLE_EQ(steps[2].y, 5);
  EXPECT_DOUBLE_EQ(steps[3].x, 200);

  // 20000 cells changing every cell over 100 units: one column each.
  std::vector<double> v;
  for (int i = 0; i < 20000; ++i) v.push_back(i % 2);
  const std::vector<PicturePoint> envelope = step_line(v, 50, {0, 1000000, 0, 100}, y);
  EXPECT_LE(envelope.size(), 200u);
}

TEST(PlotGeometry, TickSpacingIsRound) {
  EXPECT_DOUBLE_EQ(tick_spacing(270, 30), 10);
  EXPECT_DOUBLE_EQ(tick_spacing(1000, 30), 50);
  EXPECT_DOUBLE_EQ(tick_spacing(7, 30), 0.5);
}

}  // namespace
}  // namespace scenpack
