#include "cli/source_lines.h"

namespace scenpack {

SourceLines::SourceLines(std::string_view bytes) : bytes_(bytes) {
  starts_.push_back(0);
  for (size_t i = bytes.find_first_of("\r\n"); i != std::string_view::npos; i = bytes.find_first_of("\r\n", i)) {
    i += (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
    starts_.push_back(i);
  }
}

std::string_view SourceLines::line(int line) const {
  if (line < 1 || static_cast<size_t>(line) > starts_.size()) return {};
  const size_t start = starts_[static_cast<size_t>(line) - 1];
  if (start >= bytes_.size()) return {};
  const size_t end = bytes_.find_first_of("\r\n", start);
  return bytes_.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

}  // namespace scenpack
