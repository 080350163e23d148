#include "sources/text_writer.h"

#include "platform/file_system.h"

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

Status write_text_lines(const std::string& path, const std::vector<std::string>& lines) {
  return write_file_atomically(path, render_text_lines(lines));
}

}  // namespace scenpack
