// Reading the three compiled files back into the scenario tables: the
// reverse of the encoders, walking the same field lists (format/encoding.h).
//
// A file that does not fit its format is refused with the byte offset of
// what is wrong and a short lower-case description ("byte 30: the file ends
// inside cell 2 (0 of its 15 bytes)"). Nothing is allocated from a length
// field before the bytes it announces are known to be there, and a file
// longer than any build can write is refused before it is decoded.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/piece_source.h"
#include "format/encoding.h"
#include "model/tables.h"

namespace scenpack {

struct DecodeFault {
  size_t byte = 0;   // offset in the file
  std::string what;  // lower case, no trailing period
};

// The most a build writes: cells of the longest route, 87 records with the
// longest texts, the map of the longest route with a Double everywhere.
constexpr int32_t kMostCells = (kMaxRouteLength + kRouteMargin) / kCellLength + 1;
constexpr int32_t kMostMapMetres = kMaxRouteLength + kRouteMargin + 1;
constexpr size_t kLongestCellsFile = static_cast<size_t>(kMostCells) * kCellaBytes;
constexpr size_t kLongestRecordsFile = static_cast<size_t>(kRecordCount) * (kSchedaFixedBytes + kLongestText);
constexpr size_t kLongestRouteMapFile = static_cast<size_t>(kMostMapMetres) * 2 * kLongestVariant;

// ".dat": whole cells of 15 bytes, at most kMostCells of them. An empty file
// (a table never sized) gives no cells.
std::optional<DecodeFault> decode_cells(std::string_view bytes, std::vector<Cella>& celle);

// ".sim": exactly the 87 records, nothing after them.
std::optional<DecodeFault> decode_records(std::string_view bytes, std::array<Scheda, kRecordCount>& schede);

// "_linea.dat": an even number of Variants, x of every metre then y of every
// metre, as the build writes them: set points first (metres 0 and 1
// Integers, later ones Doubles), then Empty ones, the same metres set in x
// and in y. An empty file gives a map never sized.
std::optional<DecodeFault> decode_route_map(std::string_view bytes, RouteMap& mappa);

// The least and greatest x and y of a map's set points.
struct MapRanges {
  double min_x = 0, max_x = 0, min_y = 0, max_y = 0;
};

// The same from a file read in pieces (never held whole). Without
// `with_points` only the map's outline is kept (sized, last_index,
// points_set; x and y left empty), every element still checked; then, when
// `ranges` is given, it gets the ranges of the set points found on the way
// if the map is laid out as a build writes it, holds points in both halves
// and no value that is not a finite number (left empty otherwise), so that
// a picture needs no walk of its own to frame the map.
std::optional<DecodeFault> decode_route_map(PieceSource& bytes, RouteMap& mappa, bool with_points,
                                            std::optional<MapRanges>* ranges = nullptr);

// Walks the set points of a map file that decode_route_map has checked into
// `outline` (its points not kept): x from the file's start and y from where
// it begins, in step, so that the points are never held whole. A file that
// no longer fits its outline (it changed since) is refused where it stops
// fitting, after the blocks before have been handed on.
std::optional<DecodeFault> walk_route_map(PieceSource& bytes, const RouteMap& outline, const MapPointsVisit& visit);

}  // namespace scenpack
