// The picture of a compiled scenario, on one page, aligned on position in
// km: above, the route map drawn from the map points with equal scales on
// both axes in a frame of the route's own shape (stations marked and named,
// tunnels drawn apart, a mark every few km); below, the line profile:
// speed-limit steps and gradient per mille on axes with values, slow orders
// as shaded bands with their speed, ticks for signals, code points and text
// boards, the km axis and the stations by name. No text covers another:
// names that find no free place are left to each mark's tooltip.
#pragma once

#include <string>

#include "markup/xml_writer.h"
#include "view/compiled_scenario.h"
#include "view/plot_geometry.h"
#include "view/summary.h"

namespace scenpack {

// Where the parts of the picture lie, in its own units (one a CSS pixel).
struct PictureLayout {
  double width = 1200;
  double height = 1100;
  Box map{40, 50, 1120, 500};       // the route map's frame
  Box profile{110, 600, 1050, 340};  // the line profile band
};

// The layout for a scenario: the map's frame takes the shape of the route
// (a route running north gets a tall narrow frame), the rest follows it.
PictureLayout picture_layout(const CompiledScenario& scenario);

// The picture as an SVG element (a complete SVG document, which an HTML
// page can also hold as it is).
std::string route_svg(const CompiledScenario& scenario, const ScenarioSummary& summary);

// The same written on at the end of `w`'s text (an HTML page holds the SVG
// element as it is), with room set aside for `more_after` bytes after it.
void write_route_svg(XmlWriter& w, const CompiledScenario& scenario, const ScenarioSummary& summary,
                     size_t more_after = 0);

}  // namespace scenpack
