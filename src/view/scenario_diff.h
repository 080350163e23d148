// What changed between two compiled scenarios, by role and in the author's
// terms: records field by field (a station's time, the route length), the
// cells' track values as runs of route (speed limit 120 -> 100 km/h over
// 45200-46149 m), the objects on the cells (a signal added, removed, moved
// or changed), and the route map (its first differing metre and the
// largest distance between the two tracks).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "view/compiled_scenario.h"

namespace scenpack {

// One record field that differs.
struct RecordChange {
  int record = 0;
  std::string role;    // in the first scenario ("station 24")
  std::string name;    // the record's text when it names it (a station), shown UTF-8
  std::string field;   // the stored field ("lungo4")
  std::string label;   // in the guide's words ("time")
  std::string before, after;                  // in the author's units ("08:38:00")
  std::string stored_before, stored_after;    // the stored values
};

// A run of cells over which one track value changed the same way.
struct TrackChange {
  std::string what;   // "speed limit", "gradient", "adhesion", "tunnel kind", "look-back value"
  std::string unit;   // "km/h", "per mille", ""
  int64_t before = 0, after = 0;  // in that unit
  int64_t first_cell = 0, last_cell = 0;
};

// An object of a cell (its kind and values) that is new, gone, moved or
// changed in place.
struct ObjectChange {
  enum class Kind { kAdded, kRemoved, kMoved, kChanged };
  Kind kind = Kind::kChanged;
  std::string object;            // cell kind by name
  int64_t cell_before = -1, cell_after = -1;
  int64_t metre_before = 0, metre_after = 0;  // as the descriptions gave them
  std::string before, after;     // the object's meaning ("codes 4|1 0|0 0|0, group 8, time 0")
  bool look_back = false;        // the look-back values before it changed with it
};

struct MapChange {
  std::optional<int64_t> metres_before, metres_after;  // none: no map read
  std::optional<int64_t> first_differing_metre;
  double largest_distance = 0;        // metres, over the metres both tracks have
  int64_t largest_distance_metre = 0;
};

struct ScenarioDiff {
  std::vector<std::string> missing;  // "route map only in A", ...
  std::vector<RecordChange> records;
  std::optional<std::pair<int64_t, int64_t>> cell_counts;  // when they differ
  std::vector<TrackChange> track;
  std::vector<ObjectChange> objects;
  std::optional<MapChange> map;  // when the maps differ
  bool same() const {
    return missing.empty() && records.empty() && !cell_counts && track.empty() && objects.empty() && !map;
  }
};

ScenarioDiff compare_scenarios(const CompiledScenario& a, const CompiledScenario& b);

}  // namespace scenpack
