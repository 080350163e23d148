// The fields of one line of a description, with their columns, split as
// the field reader splits them: the keyword field to the first comma, then
// numbers ended by a blank or a comma, and a record's closing text to the
// comma or line end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace scenpack {

struct LineField {
  size_t start = 0;  // 0-based columns, end excluded
  size_t end = 0;
  std::string_view text;
};

// The fields of `line`; with `numbers_before_text` set, the field after
// that many numbers is a text to the comma or line end.
std::vector<LineField> fields_of_line(std::string_view line, size_t numbers_before_text = SIZE_MAX);

// True when a keyword field is a comment (it holds '-').
bool is_comment_field(std::string_view field);

// A section marker line: "[pendenze]"; "" for any other line.
std::string_view section_of_line(std::string_view line);

}  // namespace scenpack
