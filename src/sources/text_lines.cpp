#include "sources/text_lines.h"

namespace scenpack {

std::string render_text_lines(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) {
    if (line == kEndOfTextMarker) break;
    bytes += line;
    bytes += "\r\n";
  }
  return bytes;
}

}  // namespace scenpack
