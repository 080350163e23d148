// Escaping for the texts we write: JSON string literals, XML text and
// attribute values (for SVG and HTML), and lines for a terminal. Every writer of JSON, SVG or HTML
// escapes through here and nowhere else.
//
// The texts given are UTF-8 (the descriptions' own text is decoded from
// Windows-1252 before it gets here). A byte that is not part of well-formed
// UTF-8 (a path or a quoted description line can hold one) is read as the
// Windows-1252 character it stands for, so the result is always valid.
#pragma once

#include <string>
#include <string_view>

namespace scenpack {

// A JSON string literal, quotes included. Control characters (C0, DEL and
// C1) are written as \u escapes.
std::string json_string(std::string_view text);
// The same, appended to `out`.
void append_json_string(std::string& out, std::string_view text);

// Text safe inside an XML element or a quoted attribute value: & < > " '
// become entities; control characters other than tab and line ends are
// dropped and non-characters (U+FFFE, U+FDD0, ...) become U+FFFD, as XML
// cannot hold them.
std::string xml_text(std::string_view text);

// Text safe to print on a terminal or into a log: every C0 control byte
// other than tab, and DEL, is shown as cat -v shows it ("^[" for ESC, "^@"
// for NUL, "^?" for DEL), so that a description cannot retitle or recolour
// the author's terminal and a NUL cannot cut a line short. Every other byte
// is kept as it is.
std::string terminal_text(std::string_view text);

}  // namespace scenpack
