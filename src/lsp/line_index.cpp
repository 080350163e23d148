#include "lsp/line_index.h"

#include <algorithm>

namespace scenpack {

LineIndex::LineIndex(std::string_view bytes) : bytes_(bytes) {
  starts_.push_back(0);
  for (size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == '\n' || (c == '\r' && !(i + 1 < bytes.size() && bytes[i + 1] == '\n'))) starts_.push_back(i + 1);
  }
}

std::string_view LineIndex::line(size_t n) const {
  if (n >= starts_.size()) return {};
  size_t end = n + 1 < starts_.size() ? starts_[n + 1] : bytes_.size();
  if (end > starts_[n] && bytes_[end - 1] == '\n') --end;
  if (end > starts_[n] && bytes_[end - 1] == '\r') --end;
  return bytes_.substr(starts_[n], end - starts_[n]);
}

size_t LineIndex::line_of(size_t offset) const {
  const auto after = std::upper_bound(starts_.begin(), starts_.end(), offset);
  return static_cast<size_t>(after - starts_.begin()) - 1;
}

ColumnSpan field_span(std::string_view line, size_t column) {
  ColumnSpan s{std::min(column, line.size()), std::min(column, line.size())};
  if (s.start >= line.size()) return s;
  if (line[s.start] == '"') {
    const size_t close = line.find('"', s.start + 1);
    s.end = close == std::string_view::npos ? line.size() : close + 1;
    return s;
  }
  const size_t comma = line.find(',', s.start);
  s.end = comma == std::string_view::npos ? line.size() : comma;
  while (s.end > s.start + 1 && (line[s.end - 1] == ' ' || line[s.end - 1] == '\t')) --s.end;
  return s;
}

}  // namespace scenpack
