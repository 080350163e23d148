// The start-up run: name the scenario, show the waiting window, write the
// scenario's texts from the program, then build with the route map.
#pragma once

#include <string>
#include <vector>

#include "driver/build.h"
#include "model/tables.h"

namespace scenpack {

constexpr const char* kNomeScenario = "Tarvena1";
constexpr const char* kNumeroTreno = "84";

struct RunOutcome {
  std::vector<std::string> texts_written;  // emitted texts, in order
  BuildOutcome build;                      // status also carries an emission failure
};

// The whole run in `dir`. `t` receives the tables (and the final fault
// state). The waiting window is shown unless `quiet`.
RunOutcome run_startup(Tables& t, const std::string& dir, bool quiet);

}  // namespace scenpack
