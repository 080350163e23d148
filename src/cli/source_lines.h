// A description's lines, found once: the source line of each finding is
// then looked up, not searched for from the first byte.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace scenpack {

class SourceLines {
 public:
  SourceLines() = default;
  // The bytes must outlive the index. (Not explicit: a literal text is a
  // description too.)
  SourceLines(std::string_view bytes);  // NOLINT(google-explicit-constructor)
  SourceLines(const char* bytes) : SourceLines(std::string_view(bytes)) {}  // NOLINT(google-explicit-constructor)

  // Line `line` (1-based) without its line end; "" past the end. A line
  // ends at CR LF, a lone CR or a lone LF.
  std::string_view line(int line) const;

 private:
  std::string_view bytes_;
  std::vector<size_t> starts_;  // the offset of each line's first byte
};

}  // namespace scenpack
