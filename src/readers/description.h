// A description as the readers get it: its bytes, already in memory, and
// the name its faults are reported under. The readers never touch a file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace scenpack {

// The most bytes a description may have: far above any real one (a long
// line with every metre described is a few megabytes), low enough that a
// file that is no description is refused before it is read into memory.
constexpr uint64_t kLongestDescription = uint64_t{256} << 20;

struct DescriptionText {
  std::string name;                       // the author's path, or the working name
  std::optional<std::string_view> bytes;  // none: the description is not there
  std::string unreadable;                 // not empty: it is there but cannot be read (why)

  bool missing() const { return !bytes && unreadable.empty(); }
};

}  // namespace scenpack
