// The compiled tables listed field by field, as text tables or as one JSON
// document: records with their role, cells with their metre and kind by
// name, map points as metre and coordinates. Field names are those of
// docs/formats.md.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "view/compiled_scenario.h"

namespace scenpack {

// Which cells to list. With a range or a kind only the cells are listed
// (and, for a range, the map points of its metres); otherwise every table.
struct CellFilter {
  std::optional<int32_t> first_cell;  // inclusive
  std::optional<int32_t> last_cell;   // inclusive
  std::optional<uint8_t> kind;
  bool narrows() const { return first_cell || last_cell || kind; }
};

std::string listing_text(const CompiledScenario& s, const CellFilter& filter);
std::string listing_json(const CompiledScenario& s, const CellFilter& filter);

}  // namespace scenpack
