#include "readers/keywords.h"

#include <bit>

namespace scenpack {

bool Keywords::stands_at(std::string_view field, size_t at, std::string_view word) const {
  if (word.size() > field.size() - at) return false;
  for (size_t k = 1; k < word.size(); ++k) {
    if (lower(field[at + k]) != static_cast<unsigned char>(word[k])) return false;
  }
  return true;
}

KeywordSet Keywords::in(std::string_view field) const {
  KeywordSet found = 0;
  for (size_t at = 0; at < field.size(); ++at) {
    KeywordSet maybe = starting_[static_cast<unsigned char>(field[at])] & ~found;
    while (maybe != 0) {
      const auto i = static_cast<size_t>(std::countr_zero(maybe));
      maybe &= maybe - 1;
      if (stands_at(field, at, words_[i])) found |= KeywordSet{1} << i;
    }
  }
  return found;
}

}  // namespace scenpack
