#include "model/route_geometry.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

namespace scenpack {
namespace {

uint64_t bits(double v) { return std::bit_cast<uint64_t>(v); }

// One coordinate of a straight run, step by step as the map is defined:
// the n points after (before, last).
std::vector<double> straight_steps(double before, double last, int64_t n) {
  std::vector<double> out;
  for (int64_t i = 0; i < n; ++i) {
    const double d = last - before;
    before = last;
    last = last + d;
    out.push_back(last);
  }
  return out;
}

// Every point exact_straight_steps vouches for (up to a bound) is the one
// the step-by-step additions give, to the bit.
void expect_claim_holds(double before, double last) {
  constexpr int64_t kChecked = 3000;
  const int64_t claimed = std::min(exact_straight_steps(before, last), kChecked);
  const double d = last - before;
  const std::vector<double> steps = straight_steps(before, last, claimed);
  for (int64_t i = 1; i <= claimed; ++i) {
    const double formula = last + static_cast<double>(i) * d;
    ASSERT_EQ(bits(formula), bits(steps[static_cast<size_t>(i - 1)]))
        << "before " << before << " last " << last << " point " << i << " of " << claimed;
  }
}

TEST(ExactStraightSteps, EveryPointVouchedForIsTheStepByStepOne) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double tiny = std::numeric_limits<double>::denorm_min();
  struct Case {
    double before, last;
    bool some;  // expected to vouch for at least one point
  } cases[] = {
      {0.0, 0.0, true},   {0.0, 1.0, true},    {-0.0, 0.0, true},  {-0.0, -0.0, true},
      {0.0, -0.0, false},  // a difference of -0 from a negative zero: below
      {1048573.5, 1048575.75, true},  // the next binade is two steps away
      {1048575.0, 1048576.5, true},   // and here just crossed
      {-3.0, 5.0, true},              // through zero
      {123456.789, 123457.49610678, false},
      {1e300, 1.5e300, true},         {1.7e308, 1.79e308, false},
      {tiny, 2 * tiny, true},         {-tiny, tiny, true},
      {0.0, inf, false},              {inf, inf, false},  {nan, 1.0, false}, {1.0, nan, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.before << " " << c.last);
    expect_claim_holds(c.before, c.last);
    if (c.some) {
      EXPECT_GT(exact_straight_steps(c.before, c.last), 0);
    }
  }
  // A step of -0 from -0: -0 + -0 stays -0, but the next difference is +0
  // and the point after it +0, where the formula would give -0 again.
  EXPECT_EQ(exact_straight_steps(0.0, -0.0), 0);
  EXPECT_EQ(exact_straight_steps(std::nan(""), 1.0), 0);
}

TEST(ExactStraightSteps, RandomPairsAtEveryScale) {
  std::mt19937_64 rng(20261210);
  std::uniform_real_distribution<double> unit(-1.0, 1.0);
  std::uniform_int_distribution<int> scale(-40, 40);
  int vouched = 0;
  for (int n = 0; n < 4000; ++n) {
    const double last = std::ldexp(unit(rng), scale(rng));
    const double step = std::ldexp(unit(rng), scale(rng));
    expect_claim_holds(last - step, last);
    // A step already taken puts the difference on the points' grid.
    const double next = last + (last - (last - step));
    expect_claim_holds(last, next);
    if (exact_straight_steps(last, next) > 0) ++vouched;
  }
  // A claim of nothing is always true: most of these pairs must be vouched
  // for (three in four are, with this seed).
  EXPECT_GT(vouched, 2000);
}

TEST(ExactStraightSteps, OneRoundingStepLeavesALongExactStretch) {
  // A straight after a curve, far from the origin: the first difference has
  // finer bits than the points; after one step it has not.
  const double x0 = 412345.678901234;
  const double x1 = 412346.385987016;
  const double x2 = x1 + (x1 - x0);
  EXPECT_GT(exact_straight_steps(x1, x2), 100000);
}

// The map's points step by step, as the map is defined.
struct Points {
  std::vector<double> x, y;
};
Points step_by_step(const std::vector<MapRun>& runs) {
  Points p{{0.0, 0.0}, {0.0, 1.0}};
  for (const MapRun& run : runs) {
    const double k = curvature(run.curve);
    while (static_cast<int32_t>(p.x.size()) <= run.last) {
      const size_t j = p.x.size();
      const double dx = p.x[j - 1] - p.x[j - 2];
      const double dy = p.y[j - 1] - p.y[j - 2];
      if (run.curve == kStraight) {
        p.x.push_back(p.x[j - 1] + dx);
        p.y.push_back(p.y[j - 1] + dy);
      } else {
        p.x.push_back((p.x[j - 1] + dx) + k * dy);
        p.y.push_back((p.y[j - 1] + dy) - k * dx);
      }
    }
  }
  return p;
}

TEST(MapPointCursor, GivesTheStepByStepPointsToTheBit) {
  std::mt19937 rng(84);
  std::uniform_int_distribution<int> curve(-6, 6);
  std::uniform_int_distribution<int> length(1, 3000);
  for (int map = 0; map < 12; ++map) {
    SCOPED_TRACE(map);
    RouteMap m;
    m.sized = true;
    m.points_set = 2;
    int32_t last = 1;
    while (last < 400000) {
      // Long straights now and then, to cross the points' binades.
      const int32_t run = rng() % 8 == 0 ? 60000 : length(rng);
      last += run;
      m.add_run(last, rng() % 3 == 0 ? kStraight : static_cast<CurveClass>(curve(rng)));
    }
    m.last_index = last;
    const Points expected = step_by_step(m.runs);
    const MapPoints got = map_points(m);
    ASSERT_EQ(got.x.size(), expected.x.size());
    for (size_t j = 0; j < got.x.size(); ++j) {
      ASSERT_EQ(bits(got.x[j]), bits(expected.x[j])) << "x of point " << j;
      ASSERT_EQ(bits(got.y[j]), bits(expected.y[j])) << "y of point " << j;
    }
  }
}

}  // namespace
}  // namespace scenpack
