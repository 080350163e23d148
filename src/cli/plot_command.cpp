#include "cli/plot_command.h"

#include "cli/commands.h"
#include "cli/scenario_input.h"
#include "platform/file_system.h"
#include "view/route_page.h"
#include "view/route_picture.h"
#include "view/summary.h"

namespace scenpack {

RunReport plot_route(const Arguments& a) {
  RunReport r;
  if (a.out && !a.out->ends_with(".svg") && !a.out->ends_with(".html")) {
    return ended(r, exit_status::kUsage, "--out must name a .svg or an .html file, not '" + *a.out + "'");
  }
  CompiledScenario scenario;
  // The map's points are walked from its file as the picture is drawn; the
  // ranges that frame it are found while the file is checked.
  if (std::optional<int> failed = load_scenario_input(a, scenario, false, true)) return ended(r, *failed);
  const std::string out = a.out.value_or(scenario.nome_scenario +
                                         (scenario.numero_treno.empty() ? "" : "_" + scenario.numero_treno) + ".svg");
  const ScenarioSummary summary = summarize(scenario);
  const std::string picture = out.ends_with(".html") ? route_page(scenario, summary) : route_svg(scenario, summary);
  if (std::optional<int> failed = map_walk_failed(scenario)) return ended(r, *failed);
  if (Status s = write_file_atomically(out, picture); !s.is_ok()) return ended(r, exit_status::kIoError, s.message());
  r.files.push_back(out);
  return ended(r, exit_status::kOk);
}

}  // namespace scenpack
