#include "lsp/line_fields.h"

#include <cstdint>

namespace scenpack {
namespace {

size_t skip_blanks(std::string_view line, size_t i) {
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  return i;
}

// A text field from `i`: quoted to its quote, else to the comma or the end,
// its trailing blanks not part of it. Moves `i` past the comma.
LineField text_field(std::string_view line, size_t& i) {
  LineField f;
  f.start = i;
  if (i < line.size() && line[i] == '"') {
    const size_t close = line.find('"', i + 1);
    f.end = close == std::string_view::npos ? line.size() : close + 1;
  } else {
    const size_t comma = line.find(',', i);
    f.end = comma == std::string_view::npos ? line.size() : comma;
    while (f.end > f.start && (line[f.end - 1] == ' ' || line[f.end - 1] == '\t')) --f.end;
  }
  const size_t comma = line.find(',', f.end);
  i = comma == std::string_view::npos ? line.size() : comma + 1;
  f.text = line.substr(f.start, f.end - f.start);
  return f;
}

LineField number_field(std::string_view line, size_t& i) {
  LineField f;
  f.start = i;
  while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != ',') ++i;
  f.end = i;
  f.text = line.substr(f.start, f.end - f.start);
  i = skip_blanks(line, i);
  if (i < line.size() && line[i] == ',') ++i;
  return f;
}

}  // namespace

std::vector<LineField> fields_of_line(std::string_view line, size_t numbers_before_text) {
  std::vector<LineField> out;
  size_t i = skip_blanks(line, 0);
  if (i >= line.size()) return out;
  out.push_back(text_field(line, i));
  for (size_t numbers = 0;; ++numbers) {
    i = skip_blanks(line, i);
    if (i >= line.size()) break;
    out.push_back(numbers == numbers_before_text ? text_field(line, i) : number_field(line, i));
  }
  return out;
}

bool is_comment_field(std::string_view field) { return field.find('-') != std::string_view::npos; }

std::string_view section_of_line(std::string_view line) {
  const size_t open = line.find_first_not_of(" \t");
  if (open == std::string_view::npos || line[open] != '[') return {};
  const size_t close = line.find(']', open);
  if (close == std::string_view::npos) return {};
  return line.substr(open, close - open + 1);
}

}  // namespace scenpack
