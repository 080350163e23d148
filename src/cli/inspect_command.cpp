#include "cli/inspect_command.h"

#include <charconv>
#include <cstdio>

#include "cli/commands.h"
#include "cli/scenario_input.h"
#include "platform/terminal.h"
#include "view/listing.h"
#include "view/names.h"
#include "view/summary.h"
#include "view/summary_output.h"

namespace scenpack {
namespace {

std::optional<int32_t> cell_number(std::string_view text) {
  int32_t v = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
  if (text.empty() || r.ec != std::errc() || r.ptr != text.data() + text.size() || v < 0) return std::nullopt;
  return v;
}

// "FROM..TO", "FROM..", "..TO" or one cell "N". Empty on a malformed range.
std::optional<CellFilter> cell_range(const std::string& text) {
  CellFilter f;
  const size_t dots = text.find("..");
  const std::string_view from = std::string_view(text).substr(0, dots);
  const std::string_view to = dots == std::string::npos ? from : std::string_view(text).substr(dots + 2);
  if (!from.empty() && !(f.first_cell = cell_number(from))) return std::nullopt;
  if (!to.empty() && !(f.last_cell = cell_number(to))) return std::nullopt;
  if (from.empty() && to.empty()) return std::nullopt;
  return f;
}

std::string kind_names() {
  std::string out;
  for (uint8_t k : known_cell_kinds()) out += (out.empty() ? "" : ", ") + std::string(cell_kind_name(k));
  return out;
}

}  // namespace

RunReport inspect_compiled(const Arguments& a) {
  RunReport r;
  CellFilter filter;
  if (a.cells) {
    auto range = cell_range(*a.cells);
    if (!range) {
      return ended(r, exit_status::kUsage,
                   "--cells wants FROM..TO (cell numbers, either may be left out), not '" + *a.cells + "'");
    }
    filter = *range;
  }
  if (a.kind) {
    filter.kind = cell_kind_from_name(*a.kind);
    if (!filter.kind) {
      return ended(r, exit_status::kUsage, "unknown cell kind '" + *a.kind + "' (" + kind_names() + ", or a number)");
    }
  }
  CompiledScenario scenario;
  // The map's points are walked from its file when they are listed.
  if (std::optional<int> failed = load_scenario_input(a, scenario, false)) return ended(r, *failed);
  const TextSink to_stdout = [](std::string_view text) { std::fwrite(text.data(), 1, text.size(), stdout); };
  const ListingChoice choice{filter, a.map, a.raw, a.json && stdout_is_terminal()};
  if (a.summary) {
    const ScenarioSummary s = summarize(scenario);
    to_stdout(a.json ? summary_json(s, choice.pretty) : summary_text(s));
  } else if (a.json) {
    listing_json(scenario, choice, to_stdout);
  } else {
    // The scenario at a glance first, unless the stored numbers alone or
    // some cells were asked for.
    if (!a.raw && !filter.narrows()) to_stdout(summary_text(summarize(scenario)) + "\n");
    listing_text(scenario, choice, to_stdout);
  }
  if (std::optional<int> failed = map_walk_failed(scenario)) return ended(r, *failed);
  return ended(r, exit_status::kOk);
}

}  // namespace scenpack
