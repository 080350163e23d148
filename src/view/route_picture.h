// The picture of a compiled scenario, on one page, aligned on position in
// km: above, the route map drawn from the map points with equal scales on
// both axes (stations marked and named, tunnels drawn apart, a mark every
// few km); below, the line profile: speed-limit steps, gradient per mille,
// slow orders as shaded bands, ticks for signals, code points and text
// boards, and the stations by name.
#pragma once

#include <string>

#include "view/compiled_scenario.h"
#include "view/plot_geometry.h"
#include "view/summary.h"

namespace scenpack {

// Where the parts of the picture lie, in its own units (one a CSS pixel).
struct PictureLayout {
  double width = 1200;
  double height = 1100;
  Box map{40, 50, 1120, 500};          // the route map
  Box profile{40, 600, 1120, 340};     // the line profile band
};
constexpr PictureLayout kPictureLayout{};

// The picture as an SVG element (a complete SVG document, which an HTML
// page can also hold as it is).
std::string route_svg(const CompiledScenario& scenario, const ScenarioSummary& summary);

}  // namespace scenpack
