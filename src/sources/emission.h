// The scenario's five source texts from the content held in the program:
// line description, train description, notes, slow-order form and train
// sheet, in that order, each as the file name it goes under and its bytes.
// Writing them is the driver's (driver/scenario_texts.h).
#pragma once

#include <string>
#include <vector>

#include "model/file_names.h"

namespace scenpack {

struct ScenarioText {
  std::string name;   // the file name in the scenario's directory
  std::string bytes;  // CR LF lines in Windows-1252
};

std::vector<ScenarioText> scenario_texts(const ScenarioFiles& files);

}  // namespace scenpack
