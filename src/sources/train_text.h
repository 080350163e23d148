// The train description of train 84 on the scenario's route: 258 lines,
// then the end marker.
#pragma once

#include <string>
#include <vector>

namespace scenpack {

inline constexpr int kTrainDescriptionLines = 258;

// The lines of the embedded train description, in order; the last is the end marker.
const std::vector<std::string>& train_description_lines();

}  // namespace scenpack
