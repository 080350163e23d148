#include "cli/scenario_input.h"

#include <cstdio>
#include <filesystem>

#include "cli/commands.h"

namespace scenpack {

std::optional<int> load_scenario_input(const Arguments& a, CompiledScenario& out) {
  return load_scenario_input(a.path.value_or("."), a, out);
}

std::optional<int> load_scenario_input(const std::string& path, const Arguments& a, CompiledScenario& out) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) {
    std::fprintf(stderr, "scenpack: cannot read %s: No such file or directory\n", path.c_str());
    return exit_status::kNoInput;
  }
  const bool directory = std::filesystem::is_directory(path, ec);
  const std::optional<LoadFault> fault =
      directory ? load_directory(path, a.name, a.number, out) : load_file(path, out);
  if (!fault) return std::nullopt;
  std::fprintf(stderr, "scenpack: %s\n", fault->message.c_str());
  switch (fault->kind) {
    case LoadFault::Kind::kUsage: return exit_status::kUsage;
    case LoadFault::Kind::kMalformed: return exit_status::kDataError;
    default: return exit_status::kNoInput;
  }
}

}  // namespace scenpack
