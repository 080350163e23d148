// The line description of the scenario (Roma - Firenze S.M.N., with the detour
// over the slow line through Arezzo): 306 lines, then the end marker.
#pragma once

#include <string>
#include <vector>

namespace scenpack {

inline constexpr int kLineDescriptionLines = 306;

// The lines of the embedded line description, in order; the last is the end marker.
const std::vector<std::string>& line_description_lines();

}  // namespace scenpack
