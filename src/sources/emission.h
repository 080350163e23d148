// Writing the scenario's five source texts from the content held in the
// program: line description, train description, notes, slow-order form and
// train sheet, in that order.
#pragma once

#include <string>
#include <vector>

#include "model/file_names.h"
#include "base/status.h"

namespace scenpack {

// Writes the five texts into files.dir; appends each file name written to
// `written` (may be null). Stops at the first file that cannot be written.
Status emit_scenario_texts(const ScenarioFiles& files, std::vector<std::string>* written);

}  // namespace scenpack
