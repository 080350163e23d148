// The differences between two compiled scenarios as text (one line each,
// under the part they belong to) or as one JSON document; nothing at all
// when the two are the same. The summary gives the counts alone.
#pragma once

#include <string>

#include "view/scenario_diff.h"

namespace scenpack {

std::string diff_text(const ScenarioDiff& d, bool summary);
std::string diff_json(const ScenarioDiff& d, bool summary, bool pretty);

}  // namespace scenpack
