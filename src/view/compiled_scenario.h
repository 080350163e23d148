// A scenario as its compiled files hold it: whichever of the three files
// were read, decoded into the tables, and the names the files carry.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "format/decoding.h"
#include "model/tables.h"

namespace scenpack {

// Why a scenario could not be read, with the message to print after
// "scenpack: ".
struct LoadFault {
  enum class Kind { kUsage, kUnreadable, kMalformed };
  Kind kind = Kind::kUnreadable;
  std::string message;  // "cannot read FILE: reason" or "FILE: byte N: what is wrong"
};

// The set points of a map kept where they were read from (a map file of a
// million metres is never held whole), walked as often as a view asks. A
// walk that breaks off (the file changed since it was checked, or a read
// failed) hands on the blocks before and keeps its fault.
class MapPointsWalk {
 public:
  virtual ~MapPointsWalk() = default;
  virtual void walk(const MapPointsVisit& visit) = 0;
  // The first walk's fault, if one broke off.
  virtual std::optional<LoadFault> fault() const = 0;
};

struct CompiledScenario {
  std::string nome_scenario;  // NAME of the files (from the options or the file name)
  std::string numero_treno;   // NUM, "" when the file name holds none
  std::optional<std::vector<Cella>> celle;                 // from NAME_NUM.dat
  std::optional<std::array<Scheda, kRecordCount>> schede;  // from NAME_NUM.sim
  std::optional<RouteMap> mappa;                           // from NAME_linea.dat
  // Where the map's points are walked from when `mappa` holds its outline
  // alone; none when it holds them.
  std::shared_ptr<MapPointsWalk> map_walk;
  // The ranges of the set points when the check of the map's file found
  // them on its way (a walk finds them otherwise).
  std::optional<MapRanges> map_ranges;
};

// Hands the map's set points to `visit`, a block at a time: from map_walk
// when there is one, else from those `mappa` holds or draws.
void walk_map_points(const CompiledScenario& scenario, const MapPointsVisit& visit);

// The scenario as a build holds it in memory (no map: nothing shown needs it).
CompiledScenario compiled_from_tables(const Tables& t);

}  // namespace scenpack
