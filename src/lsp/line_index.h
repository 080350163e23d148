// The lines of a description's bytes, found once: a line ends at LF, CR LF
// or a lone CR, as the field reader ends them.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace scenpack {

class LineIndex {
 public:
  explicit LineIndex(std::string_view bytes);

  size_t count() const { return starts_.size(); }
  // Line `n` (0-based) without its line end; "" past the last.
  std::string_view line(size_t n) const;
  // The 0-based line that holds byte `offset`.
  size_t line_of(size_t offset) const;
  size_t start(size_t n) const { return n < starts_.size() ? starts_[n] : bytes_.size(); }

 private:
  std::string_view bytes_;
  std::vector<size_t> starts_;
};

// The columns (0-based, end excluded) of the field that starts at `column`
// of `line`: a quoted field to its closing quote, any other to the comma or
// line end that ends it, its trailing blanks left out.
struct ColumnSpan {
  size_t start = 0;
  size_t end = 0;
};
ColumnSpan field_span(std::string_view line, size_t column);

}  // namespace scenpack
