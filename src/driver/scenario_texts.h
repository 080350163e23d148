// Writing the scenario's five source texts (sources/emission.h) into its
// directory, for run and emit.
#pragma once

#include <string>
#include <vector>

#include "base/status.h"
#include "model/file_names.h"

namespace scenpack {

// Writes the five texts into files.dir in their order, each replacing any
// older file of its name whole; appends each file name written to
// `written` (may be null). Stops at the first file that cannot be written.
Status write_scenario_texts(const ScenarioFiles& files, std::vector<std::string>* written);

}  // namespace scenpack
