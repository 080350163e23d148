// How far apart two short words are, for "did you mean" suggestions.
#pragma once

#include <cstddef>
#include <string_view>

namespace scenpack {

// The longest word measured; a longer one is this far from every word.
inline constexpr size_t kLongestMeasuredWord = 32;

// The edit distance between two short words (insertions, deletions and
// substitutions, ASCII case ignored).
size_t edit_distance(std::string_view a, std::string_view b);

}  // namespace scenpack
