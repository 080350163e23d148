#include "readers/route_map.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "description_fixture.h"

namespace scenpack {
namespace {

using testing::ends_in_read_fault;
using testing::read_line;
using testing::ScenarioDir;
using testing::short_route;

TEST(RouteMap, CurveClassFromTheKeywordField) {
  struct Case {
    const char* keyword;
    std::optional<double> k;
  } cases[] = {
      {"curvad1", 0.0001}, {"curvad2", 0.0002}, {"curvas3", -0.0004}, {"curvad4", 0.001},
      {"curvad5", 0.002},  {"curvas6", -0.003}, {"CURVAS2", -0.0002}, {"curvad 62", 0.0002},
      {"curvad21", 0.0001},  // "1" is looked for first
      {"curvad7", std::nullopt}, {"curvad", std::nullopt},
  };
  for (const Case& c : cases) {
    const std::optional<CurveClass> curve = curve_class(c.keyword);
    EXPECT_EQ(curve.has_value(), c.k.has_value()) << c.keyword;
    if (curve && c.k) {
      EXPECT_EQ(curvature(*curve), *c.k) << c.keyword;
    }
  }
}

// The first curve "curvad2, 500, 300": the map runs straight along y up to
// point 500, then bends clockwise (towards +x) by about 0.0002 rad a metre,
// without re-normalising the step.
TEST(RouteMap, RightHandCurveAfterAStraight) {
  testing::LineRun run = read_line(short_route("curvad2,   500,  300\n"));
  const MapPoints m = map_points(run.t.mappa);
  ASSERT_EQ(run.t.error_state.codice_errore, 0);
  for (int j : {0, 1, 2, 250, 500}) {
    EXPECT_EQ(m.x[static_cast<size_t>(j)], 0.0) << j;
    EXPECT_EQ(m.y[static_cast<size_t>(j)], static_cast<double>(j)) << j;
  }
  // The points to the bit, as the simulator's own map has them: a change
  // in the order of the operations (or a fused multiply-add) moves them.
  const double k = 0.0002;
  struct Point {
    size_t j;
    double x, y;
  } points[] = {
      {501, 0x1.a36e2eb1c432dp-13, 0x1.f5p+8},  // k, 501
      {502, 0x1.3a92a30553262p-11, 0x1.f5ffffff54339p+8},
      {503, 0x1.3a92a2e223f49p-10, 0x1.f6fffffd50ce3p+8},
      {800, 0x1.20dfcab856be4p+3, 0x1.8fe8f6de97567p+9},
      {1800, 0x1.13f77bf5f212bp+6, 0x1.c181b3358f72cp+10},
  };
  for (const Point& p : points) {
    EXPECT_EQ(m.x[p.j], p.x) << p.j;
    EXPECT_EQ(m.y[p.j], p.y) << p.j;
  }
  // After the curve the heading has turned by about 300 * k and the step
  // has grown by sqrt(1 + k^2) per metre of curve.
  const double dx = m.x[800] - m.x[799];
  const double dy = m.y[800] - m.y[799];
  EXPECT_NEAR(std::atan2(dx, dy), 300 * k, 1e-4);
  EXPECT_NEAR(std::hypot(dx, dy), std::pow(1 + k * k, 150), 1e-9);
  // Then straight on in that direction.
  EXPECT_NEAR(m.x[1800] - m.x[800], 1000 * dx, 1e-6);
}

TEST(RouteMap, LeftHandCurveTurnsTheOtherWay) {
  testing::LineRun run = read_line(short_route("curvas3, 500, 300\n"));
  const MapPoints m = map_points(run.t.mappa);
  EXPECT_EQ(m.x[501], -0.0004);
  EXPECT_EQ(m.x[800], -0x1.209deb1bf5177p+4);
  EXPECT_EQ(m.y[800], 0x1.8fa3e800586e6p+9);
  EXPECT_LT(m.x[800], 0.0);
  EXPECT_NEAR(std::atan2(m.x[800] - m.x[799], m.y[800] - m.y[799]), -300 * 0.0004, 1e-4);
}

// The map completion runs straight up to the third-last point; the last
// two stay Empty. Points 0 and 1 are the Integers, later points Doubles.
TEST(RouteMap, CompletionLeavesTheLastTwoPointsEmpty) {
  testing::LineRun run = read_line(short_route(""));
  const RouteMap& m = run.t.mappa;
  ASSERT_TRUE(m.sized);
  EXPECT_EQ(m.last_index, 17000);
  EXPECT_EQ(m.points_set, 16999);  // points 0 .. 16998
  const MapPoints points = map_points(m);
  ASSERT_EQ(points.y.size(), 16999u);
  EXPECT_EQ(points.y[16998], 16998.0);
  EXPECT_EQ(points.x[16998], 0.0);
}

TEST(RouteMap, CurvesBehindTheNextPoint) {
  const auto map_of = [](const char* body) { return map_points(read_line(short_route(body)).t.mappa); };
  const MapPoints reference = map_of("curvad2, 500, 300\ncurvas1, 800, 100\n");
  // A curve that ends behind the next point draws nothing.
  const MapPoints behind = map_of("curvad2, 500, 300\ncurvad4, 600, 100\ncurvas1, 800, 100\n");
  // A curve that starts behind it draws only from the next point on.
  const MapPoints partly = map_of("curvad2, 500, 300\ncurvas1, 700, 200\n");
  EXPECT_EQ(behind.x, reference.x);
  EXPECT_EQ(behind.y, reference.y);
  EXPECT_EQ(partly.x, reference.x);
  EXPECT_EQ(partly.y, reference.y);
}

// Without map mode curve records are passed over: no map, no code 103.
TEST(RouteMap, WithoutMapModeCurvesChangeNothing) {
  testing::LineRun run = read_line(short_route("curvad7, 500, 300\npendenza, 1000, 5\n"), 0);
  EXPECT_EQ(run.t.error_state.codice_errore, 0);
  EXPECT_FALSE(run.t.mappa.sized);
  EXPECT_TRUE(run.t.mappa.runs.empty());
  EXPECT_EQ(run.t.celle[20].dato6, 105);
}

// Code 103: the description is deleted, the reading ends at once (no
// completion, no train description) and no position is set.
TEST(RouteMap, Code103EndsTheReading) {
  struct Case {
    const char* name;
    std::string general;
    std::string body;
  } cases[] = {
      {"no class digit", "lunghezza percorso, 10000\n", "pendenza, 500, -7\ncurvad7, 1000, 100\n"},
      {"map reaches metre 1000001", "lunghezza percorso, 1000000\n",
       "pendenza, 500, -7\ncurvad1, 999000, 1000\n"},
  };
  for (const Case& c : cases) {
    ScenarioDir dir;
    dir.write_line(testing::line_description(c.general, c.body));
    dir.write_train();
    Tables t = testing::map_mode_tables();
    t.error_state.posizione_errore = 5;
    LineHalf half = dir.read_line(t);
    EXPECT_FALSE(half.train_follows) << c.name;
    EXPECT_EQ(t.error_state.codice_errore, 103) << c.name;
    EXPECT_EQ(t.error_state.posizione_errore, 5) << c.name;
    EXPECT_EQ(t.celle[10].dato6, 0) << c.name << ": no gradient completion";
    EXPECT_FALSE(dir.line_remains()) << c.name;
    EXPECT_TRUE(dir.train_remains()) << c.name;
  }
}

TEST(RouteMap, MapUpToMetre1000000IsAccepted) {
  testing::LineRun run =
      read_line(testing::line_description("lunghezza percorso, 1000000\n", "curvad1, 999000, 999\n"));
  EXPECT_EQ(run.t.error_state.codice_errore, 0);
  EXPECT_EQ(run.t.mappa.points_set, 1006999);
}

// A curve that would draw past the end of the map (only its start is
// checked against the table) is a reading fault.
TEST(RouteMap, CurvePastTheEndOfTheMapIsAReadFault) {
  Tables t = testing::map_mode_tables();
  EXPECT_TRUE(ends_in_read_fault(t, short_route("curvad1, 16800, 500\n")));
  ASSERT_TRUE(t.error_state.where.has_value());
  EXPECT_EQ(t.error_state.where->line, 5);
  EXPECT_EQ(t.mappa.points_set, 17001);  // drawn up to the last point, nothing beyond
}

}  // namespace
}  // namespace scenpack
