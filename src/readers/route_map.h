// The route map drawn from the curve records: one point per metre, points 0
// and 1 fixed at (0, 0) and (0, 1), every later point one step on from the
// two before it, turned by the curvature of the curve it lies in. The
// reading records the drawing (model/route_geometry.h); the points are
// computed from it when they are written.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "model/tables.h"

namespace scenpack {

// The map index past which a curve stops the reading (code 103).
constexpr int32_t kMapMetreLimit = 1000000;

// The curve class named by a curve record's keyword field: the first class
// digit found among "1" to "6" (curvature 0.0001, 0.0002, 0.0004, 0.001,
// 0.002, 0.003 per metre), negative when the field holds an "s" in any case
// (a left-hand curve). Empty when the field names no class.
std::optional<CurveClass> curve_class(std::string_view keyword);

// Sets the two fixed points, (0, 0) and (0, 1), stored as Integers.
// The next point drawn is then point 2 (map.points_set).
void start_map(RouteMap& map);

enum class DrawResult { kDrawn, kPastMetreLimit };

// A curve starting at p with length len: the map runs straight from the
// next point up to point p, then bends by the class's curvature per metre
// up to point p + len. A curve behind the next point only draws its
// remaining part. Returns kPastMetreLimit once a point above 1000000 would
// be next. Throws ReadFault when a point would lie beyond the end of the map
// (the curve passes the route's end; the points before it are set) or
// p + len does not fit a Long.
DrawResult draw_curve(RouteMap& map, int32_t p, int32_t len, CurveClass curve);

// After the body: the map runs straight up to its third-last point; the
// last two points stay Empty.
void complete_map(RouteMap& map);

}  // namespace scenpack
