// The keywords a field holds, found in one pass over the field.
//
// A reader tests each field it meets against its whole list of keywords
// (ASCII case-insensitive substrings: "Velocita'" holds "velocit"). A
// Keywords table looks for all of them at once: a table of the bytes that
// start some keyword sends each byte of the field to the few keywords that
// could start there, so a field costs one look-up per byte, not one
// comparison per byte and keyword.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace scenpack {

// The set of keywords found in a field: bit i for the i-th keyword.
using KeywordSet = uint32_t;

class Keywords {
 public:
  static constexpr size_t kMost = 32;

  // The keywords, each non-empty and written in lower case; at most kMost.
  constexpr Keywords(std::initializer_list<std::string_view> words) {
    for (std::string_view word : words) {
      const KeywordSet bit = KeywordSet{1} << count_;
      words_[count_++] = word;
      starting_[lower(word[0])] |= bit;
      starting_[upper(word[0])] |= bit;
    }
  }

  // Which keywords the field holds.
  KeywordSet in(std::string_view field) const;

  // True when the field holds the i-th keyword.
  static constexpr bool has(KeywordSet found, size_t i) { return (found >> i) & 1u; }

 private:
  static constexpr unsigned char lower(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u - 'A' + 'a') : u;
  }
  static constexpr unsigned char upper(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') ? static_cast<unsigned char>(u - 'a' + 'A') : u;
  }
  bool stands_at(std::string_view field, size_t at, std::string_view word) const;

  std::array<std::string_view, kMost> words_{};
  std::array<KeywordSet, 256> starting_{};  // the keywords each byte may start
  size_t count_ = 0;
};

// A Keywords table that remembers the last few short fields it was asked
// about: a description names the same few records row after row, so most
// fields are ones it has just seen, and a remembered field costs one
// comparison instead of a pass. One per reading; nothing is allocated.
class RememberedKeywords {
 public:
  explicit RememberedKeywords(const Keywords& keywords) : keywords_(keywords) {}

  KeywordSet in(std::string_view field);

 private:
  static constexpr size_t kRemembered = 8;
  static constexpr size_t kLongestRemembered = 32;
  struct Seen {
    std::array<char, kLongestRemembered> text{};
    size_t size = 0;
    KeywordSet found = 0;
  };

  const Keywords& keywords_;
  std::array<Seen, kRemembered> seen_{};
  size_t count_ = 0;
  size_t next_ = 0;  // where the next field is remembered, the oldest going
};

}  // namespace scenpack
