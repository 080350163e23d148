// The bytes of the three compiled files, made from the tables in memory
// (layouts in docs/formats.md; every number through format/encoding.h).
// output_files writes them; whatever compares a decoded file with what the
// build would write makes its bytes here too.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/tables.h"

namespace scenpack {

// ".dat": the cells given, 15 bytes each.
std::string cells_bytes(const std::vector<Cella>& celle);

// ".sim": records 0 to 86, 34 bytes plus the length of its text each.
std::string records_bytes(const std::array<Scheda, kRecordCount>& schede);

// "_linea.dat": every element of the map as a Variant, all x (metre
// fastest), then all y; set metres below 2 are Integers, later set metres
// Doubles, the metres after the set points Empty. A map that was never
// sized has no elements. The file can take 20 MB, so it is made a piece at
// a time: each point is computed once from the map's drawing, its x going
// to the first half of the file and its y to the second.

// The size of the map's file in bytes.
uint64_t route_map_size(const RouteMap& mappa);

// Receives a piece of the map's file (at most 512 KiB) and where it starts;
// false to stop.
using FilePieceWriter = std::function<bool(uint64_t offset, std::string_view bytes)>;

// Hands every byte of the map's file to `put` once, in pieces; false when
// `put` stopped it.
bool encode_route_map(const RouteMap& mappa, const FilePieceWriter& put);

// The whole map file at once.
std::string route_map_bytes(const RouteMap& mappa);

}  // namespace scenpack
