// Escaping for the texts we write: JSON string literals, and XML text and
// attribute values (for SVG and HTML). Every writer of JSON, SVG or HTML
// escapes through here and nowhere else.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace scenpack {

// Length of the valid UTF-8 multi-byte sequence starting at s[i], 0 if none.
size_t utf8_sequence(std::string_view s, size_t i);

// A JSON string literal, quotes included. Bytes that do not form UTF-8 are
// taken as single-byte characters (U+0080..U+00FF) so the result is always
// valid JSON.
std::string json_string(std::string_view text);

// Text safe inside an XML element or a quoted attribute value: & < > " '
// become entities; bytes that do not form UTF-8 become their U+0080..U+00FF
// character references; control characters other than tab and line ends are
// dropped (XML cannot hold them).
std::string xml_text(std::string_view text);

}  // namespace scenpack
