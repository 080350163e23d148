#include "readers/keywords.h"

#include <algorithm>
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

KeywordSet RememberedKeywords::in(std::string_view field) {
  for (size_t i = 0; i < count_; ++i) {
    const Seen& seen = seen_[i];
    if (seen.size == field.size() && std::equal(field.begin(), field.end(), seen.text.begin())) return seen.found;
  }
  const KeywordSet found = keywords_.in(field);
  if (field.size() <= kLongestRemembered) {
    Seen& seen = seen_[next_];
    std::copy(field.begin(), field.end(), seen.text.begin());
    seen.size = field.size();
    seen.found = found;
    next_ = (next_ + 1) % kRemembered;
    count_ = std::min(count_ + 1, kRemembered);
  }
  return found;
}

}  // namespace scenpack
