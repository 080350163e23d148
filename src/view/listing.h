// The compiled tables listed field by field, as text tables or as one JSON
// document: records with their role, cells with the span of route they
// stand for and their kind by name, map points as metre and coordinates.
// Field names are those of docs/formats.md; beside the stored numbers, what
// they mean in the author's terms (unless raw). The listing goes out piece
// by piece, so that its size never sits in memory whole.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "view/compiled_scenario.h"

namespace scenpack {

// Which cells to list. With a range or a kind only those cells are listed;
// otherwise the records in use and the cells that hold something.
struct CellFilter {
  std::optional<int32_t> first_cell;  // inclusive
  std::optional<int32_t> last_cell;   // inclusive
  std::optional<uint8_t> kind;
  bool narrows() const { return first_cell || last_cell || kind; }
};

struct ListingChoice {
  CellFilter filter;
  bool map = false;     // the map points too (those of the range's metres)
  bool raw = false;     // the stored numbers alone
  bool pretty = false;  // JSON: one member per line, indented
};

// Receives the listing, a piece at a time.
using TextSink = std::function<void(std::string_view)>;

void listing_text(const CompiledScenario& s, const ListingChoice& choice, const TextSink& out);
void listing_json(const CompiledScenario& s, const ListingChoice& choice, const TextSink& out);

}  // namespace scenpack
