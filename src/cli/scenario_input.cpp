#include "cli/scenario_input.h"

#include <cstdio>

#include "cli/commands.h"
#include "platform/file_pieces.h"

namespace scenpack {

namespace {

// Prints the fault and gives its exit status.
int reported(const LoadFault& fault) {
  std::fprintf(stderr, "scenpack: %s\n", fault.message.c_str());
  switch (fault.kind) {
    case LoadFault::Kind::kUsage: return exit_status::kUsage;
    case LoadFault::Kind::kMalformed: return exit_status::kDataError;
    default: return exit_status::kNoInput;
  }
}

}  // namespace

std::optional<int> load_scenario_input(const Arguments& a, CompiledScenario& out, bool map_points, bool map_ranges) {
  return load_scenario_input(a.path.value_or("."), a, out, map_points, map_ranges);
}

std::optional<int> load_scenario_input(const std::string& path, const Arguments& a, CompiledScenario& out,
                                       bool map_points, bool map_ranges) {
  const PathKind kind = path_kind(path);
  if (kind == PathKind::kMissing) {
    std::fprintf(stderr, "scenpack: cannot read %s: No such file or directory\n", path.c_str());
    return exit_status::kNoInput;
  }
  const std::optional<LoadFault> fault = kind == PathKind::kDirectory
                                             ? load_directory(path, a.name, a.number, out, map_points, map_ranges)
                                             : load_file(path, out, map_points, map_ranges);
  if (!fault) return std::nullopt;
  return reported(*fault);
}

std::optional<int> map_walk_failed(const CompiledScenario& scenario) {
  if (!scenario.map_walk) return std::nullopt;
  const std::optional<LoadFault> fault = scenario.map_walk->fault();
  if (!fault) return std::nullopt;
  return reported(*fault);
}

}  // namespace scenpack
