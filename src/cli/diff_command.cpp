#include "cli/diff_command.h"

#include <cstdio>

#include "cli/commands.h"
#include "cli/scenario_input.h"
#include "platform/terminal.h"
#include "view/diff_output.h"
#include "view/scenario_diff.h"

namespace scenpack {
namespace {

// Which tables a scenario holds: two scenarios compare only when they hold
// the same ones (two directories, or two files of one kind).
int tables_held(const CompiledScenario& s) {
  return (s.schede ? 1 : 0) | (s.celle ? 2 : 0) | (s.mappa ? 4 : 0);
}

}  // namespace

RunReport diff_scenarios(const Arguments& a) {
  RunReport r;
  CompiledScenario first, second;
  if (std::optional<int> failed = load_scenario_input(*a.path, a, first)) return ended(r, *failed);
  if (std::optional<int> failed = load_scenario_input(*a.second_path, a, second)) return ended(r, *failed);
  const bool both_directories = first.schede && first.celle && second.schede && second.celle;
  if (!both_directories && tables_held(first) != tables_held(second)) {
    return ended(r, exit_status::kUsage,
                 "diff compares two directories or two files of one kind, not " + *a.path + " and " + *a.second_path);
  }
  const ScenarioDiff d = compare_scenarios(first, second);
  const std::string out = a.json ? diff_json(d, a.summary, stdout_is_terminal()) : diff_text(d, a.summary);
  std::fwrite(out.data(), 1, out.size(), stdout);
  return ended(r, d.same() ? exit_status::kOk : exit_status::kDifferent);
}

}  // namespace scenpack
