// The bytes of one of the scenario's source texts. A text is held as a line
// table: entries 0, 1, 2, ... are the lines in order, and the entry that is
// exactly "riferimento fine del file" ends the text without being written.
//
// Every line is written unchanged (trailing blanks kept, one byte per
// character in Windows-1252, so "\xF9" stands for the one accented letter),
// each followed by CR LF; nothing precedes the first line or follows the last
// line end.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace scenpack {

inline constexpr std::string_view kEndOfTextMarker = "riferimento fine del file";

// The bytes of the text: the entries before the first entry equal to the
// marker (the whole table when it holds none), each followed by CR LF.
std::string render_text_lines(const std::vector<std::string>& lines);

}  // namespace scenpack
