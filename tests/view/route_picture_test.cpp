#include "view/route_picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <span>
#include <sstream>

#include "markup/xml_writer.h"
#include "support/compiled_route.h"
#include "view/listing.h"
#include "view/route_page.h"

namespace scenpack {
namespace {

int count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// A route of `metres` with a map bending gently, a tunnel, three stations,
// a signal, a slow order and gradients.
CompiledScenario route(int32_t metres) {
  CompiledScenario c = compiled_route("Valle", "7", metres);
  RouteMap& m = *c.mappa;
  for (int32_t j = 0; j <= metres; ++j) {
    m.x[static_cast<size_t>(j)] = 3000 * std::sin(j / 3000.0);
    m.y[static_cast<size_t>(j)] = j;
  }
  std::vector<Cella>& cells = *c.celle;
  for (size_t i = 0; i < cells.size(); ++i) {
    cells[i].dato5 = 28;
    cells[i].dato6 = static_cast<uint8_t>(100 + (i / 40) % 7);
  }
  for (size_t i = 20; i < 40; ++i) cells[i].galleria = 1;
  cells[60].tipo = kind::kSignal;
  cells[80].tipo = kind::kSlowdownStart;
  cells[84].tipo = kind::kSlowdownEnd;
  auto& r = c.schede.emplace();
  r[84].lungo2 = metres;
  r[1] = Scheda{8, -500, 500, 0, 1, "ROMA <TERMINI>"};
  r[2] = Scheda{4, 2000, 2800, 2400, 0, "OLMO"};
  r[3] = Scheda{4, metres - 400, metres + 400, metres, 0, "FINE"};
  return c;
}

// Points walked from elsewhere in blocks of a chosen size, as a map file's
// walk hands them on.
class BlockWalk : public MapPointsWalk {
 public:
  BlockWalk(const RouteMap& held, size_t block) : held_(held), block_(block) {}
  void walk(const MapPointsVisit& visit) override {
    const size_t n = static_cast<size_t>(held_.points_set);
    for (size_t first = 0; first < n; first += block_) {
      const size_t count = std::min(block_, n - first);
      visit(first, std::span<const double>(held_.x).subspan(first, count),
            std::span<const double>(held_.y).subspan(first, count));
    }
  }
  std::optional<LoadFault> fault() const override { return std::nullopt; }

 private:
  const RouteMap& held_;
  size_t block_;
};

// A picture or listing drawn from walked points is the one drawn from held
// points, byte for byte, whatever the blocks: the marks (stations, tunnel
// ends, km marks) fall across their edges.
TEST(RoutePicture, WalkedPointsDrawTheSamePictureAndListingAsHeldOnes) {
  const CompiledScenario held = route(20000);
  for (size_t block : {size_t{1}, size_t{997}, size_t{4096}}) {
    CompiledScenario walked = held;
    walked.mappa->x.clear();
    walked.mappa->y.clear();
    walked.map_walk = std::make_shared<BlockWalk>(*held.mappa, block);
    EXPECT_EQ(route_svg(walked, summarize(walked)), route_svg(held, summarize(held))) << block;
    std::string listed_held, listed_walked;
    const ListingChoice with_map{{}, true, false, false};
    listing_text(held, with_map, [&](std::string_view t) { listed_held += t; });
    listing_text(walked, with_map, [&](std::string_view t) { listed_walked += t; });
    EXPECT_EQ(listed_walked, listed_held) << block;
    listed_held.clear();
    listed_walked.clear();
    const ListingChoice some_cells{{40, 60, std::nullopt}, true, false, false};
    listing_json(held, some_cells, [&](std::string_view t) { listed_held += t; });
    listing_json(walked, some_cells, [&](std::string_view t) { listed_walked += t; });
    EXPECT_EQ(listed_walked, listed_held) << block;
  }
  // Framed from the ranges the check of its file found, with no walk of its
  // own for them: the same picture.
  CompiledScenario framed = held;
  framed.mappa->x.clear();
  framed.mappa->y.clear();
  framed.map_walk = std::make_shared<BlockWalk>(*held.mappa, 4096);
  const size_t set = static_cast<size_t>(held.mappa->points_set);
  const Extent e = extent_of(std::span<const double>(held.mappa->x).first(set),
                             std::span<const double>(held.mappa->y).first(set));
  framed.map_ranges = MapRanges{e.min_x, e.max_x, e.min_y, e.max_y};
  EXPECT_EQ(route_svg(framed, summarize(framed)), route_svg(held, summarize(held)));
}

TEST(RoutePicture, SvgHoldsTheTrackTheProfileAndOneLabelPerStation) {
  const CompiledScenario c = route(20000);
  const std::string svg = route_svg(c, summarize(c));
  const PictureLayout l = picture_layout(c);
  EXPECT_EQ(svg.rfind("<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 1200 " + svg_number(l.height) +
                          "\" width=\"1200\" height=\"" + svg_number(l.height) + "\"",
                      0),
            0u);
  EXPECT_EQ(count(svg, "<polyline class=\"track\""), 1);
  EXPECT_EQ(count(svg, "<polyline class=\"tunnel\""), 1);
  EXPECT_EQ(count(svg, "<polyline class=\"speed\""), 1);
  EXPECT_EQ(count(svg, "<polyline class=\"gradient\""), 1);
  EXPECT_EQ(count(svg, "class=\"station-name\""), 3);
  EXPECT_EQ(count(svg, "class=\"station-label\""), 3);
  EXPECT_EQ(count(svg, "<line class=\"signal\""), 1);
  EXPECT_EQ(count(svg, "<rect class=\"slow-order\""), 1);
  EXPECT_NE(svg.find(">ROMA &lt;TERMINI&gt;</text>"), std::string::npos);
  EXPECT_EQ(svg.substr(svg.size() - 6), "</svg>");

  // Every point of the track lies inside the map area. (Found without
  // std::regex, whose matcher recurses once per character and overflows the
  // Windows program's stack on a points list this long.)
  const std::string opening = "class=\"track\" points=\"";
  const size_t start = svg.find(opening);
  ASSERT_NE(start, std::string::npos);
  const size_t first = start + opening.size();
  const size_t end = svg.find('"', first);
  ASSERT_NE(end, std::string::npos);
  const std::string points = svg.substr(first, end - first);
  const Box& area = l.map;
  std::istringstream in(points);
  int n = 0;
  for (std::string pair; in >> pair; ++n) {
    const double x = std::stod(pair.substr(0, pair.find(',')));
    const double y = std::stod(pair.substr(pair.find(',') + 1));
    EXPECT_TRUE(x >= area.left && x <= area.right() && y >= area.top && y <= area.bottom()) << pair;
  }
  EXPECT_GT(n, 100);
}

TEST(RoutePicture, TheLongestRouteIsReducedToWhatThePictureShows) {
  const CompiledScenario c = route(kMaxRouteLength);
  const std::string svg = route_svg(c, summarize(c));
  EXPECT_LT(svg.size(), 2u * 1024 * 1024);
  EXPECT_EQ(count(svg, "<polyline class=\"track\""), 1);
}

TEST(RoutePage, HoldsThePictureAndTheTablesWithEveryStation) {
  const CompiledScenario c = route(20000);
  const std::string html = route_page(c, summarize(c));
  EXPECT_EQ(html.rfind("<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"/>", 0), 0u);
  EXPECT_EQ(count(html, "<svg "), 1);
  for (const char* id : {"<table id=\"stations\">", "<table id=\"slow-orders\">", "<table id=\"signals\">"}) {
    EXPECT_EQ(count(html, id), 1) << id;
  }
  EXPECT_NE(html.find("<td class=\"name\">OLMO</td>"), std::string::npos);
  EXPECT_NE(html.find("<td class=\"name\">ROMA &lt;TERMINI&gt;</td>"), std::string::npos);
  // Self-contained: nothing to fetch.
  EXPECT_EQ(html.find("<script"), std::string::npos);
  EXPECT_EQ(html.find("src="), std::string::npos);
  EXPECT_EQ(html.find("href="), std::string::npos);
}

}  // namespace
}  // namespace scenpack
