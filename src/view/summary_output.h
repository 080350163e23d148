// The scenario summary as text (a few labelled lines and one table per
// list) or as one JSON document with the same content.
#pragma once

#include <string>

#include "view/summary.h"

namespace scenpack {

std::string summary_text(const ScenarioSummary& s);
std::string summary_json(const ScenarioSummary& s, bool pretty = false);

// Whether the stored check codes and the names in records 85 and 86 are
// those of NAME and NUM (false when something is missing).
bool check_codes_match(const ScenarioSummary& s);

}  // namespace scenpack
