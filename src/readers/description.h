// A description as the readers get it: its bytes, already in memory, and
// the name its faults are reported under. The readers never touch a file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace scenpack {

struct DescriptionText {
  std::string name;                       // the author's path, or the working name
  std::optional<std::string_view> bytes;  // none: the description is not there
  std::string unreadable;                 // not empty: it is there but cannot be read (why)

  bool missing() const { return !bytes && unreadable.empty(); }
};

}  // namespace scenpack
