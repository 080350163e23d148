#include "base/edit_distance.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace scenpack {

size_t edit_distance(std::string_view a, std::string_view b) {
  if (a.size() > kLongestMeasuredWord || b.size() > kLongestMeasuredWord) return kLongestMeasuredWord;
  std::array<size_t, kLongestMeasuredWord + 1> row{};
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t above = row[j];
      const bool same = std::tolower(static_cast<unsigned char>(a[i - 1])) == std::tolower(static_cast<unsigned char>(b[j - 1]));
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

}  // namespace scenpack
