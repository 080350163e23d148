#include "driver/startup.h"

#include "driver/scenario_texts.h"
#include "platform/window.h"

namespace scenpack {

RunOutcome run_startup(Tables& t, const std::string& dir, bool quiet) {
  t.nome_scenario = kNomeScenario;
  t.numero_treno = kNumeroTreno;
  const ScenarioFiles files{dir, t.nome_scenario, t.numero_treno};
  if (!quiet) show_waiting_window();

  RunOutcome out;
  if (Status s = write_scenario_texts(files, &out.texts_written); !s.is_ok()) {
    out.build.status = s;
    return out;
  }
  constexpr int32_t kWithRouteMap = 1;
  // The texts just emitted are the run's own: the build deletes them.
  BuildInputs ours;
  ours.line.ours = true;
  ours.train.ours = true;
  out.build = build_scenario(t, files, kWithRouteMap, ours);
  return out;
}

}  // namespace scenpack
