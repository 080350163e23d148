// When the working descriptions of the scenario asked for are not in the
// directory but another scenario's are, what to ask for instead.
#pragma once

#include <string>

#include "model/file_names.h"

namespace scenpack {

// "no Tarvena1_linea.txt here; found Brenna_linea.txt and Brenna_3107-.txt
// (--name Brenna --number 3107)" when the line description of `files` is
// missing and another pair NAME_linea.txt and NAME_NUM-.txt is there;
// "no Tarvena1_84-.txt here; found Tarvena1_12-.txt (--number 12)" when
// only the train description is missing. "" otherwise. A description named
// on the command line (`line_named`, `train_named`) is not looked for.
std::string other_scenarios_hint(const ScenarioFiles& files, bool line_named, bool train_named);

}  // namespace scenpack
