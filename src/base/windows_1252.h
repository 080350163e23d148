// Windows-1252, the single-byte code page the descriptions are written in:
// one table from bytes to characters, used by everything that shows the
// descriptions' text (JSON, SVG and HTML, inspect's listings, the editor).
//
// Bytes 0x00-0x7F are ASCII and 0xA0-0xFF are the Latin-1 characters of the
// same number; 0x80-0x9F hold the euro sign, curly quotes, dashes and the
// like. Five bytes of that row are not assigned (0x81, 0x8D, 0x8F, 0x90,
// 0x9D): they stand for the C1 control character of the same number
// (U+0081, ...), as Windows' own conversion and the encoding browsers and
// editors use for "windows-1252" decode them, so that every byte is one
// character and every text comes back byte for byte.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace scenpack {

// The character a byte stands for.
char32_t windows_1252_code_point(unsigned char byte);

// Every byte decoded; the result is always valid UTF-8.
std::string utf8_from_windows_1252(std::string_view bytes);

// The bytes a UTF-8 text has in Windows-1252; on a character that has no
// Windows-1252 form (or invalid UTF-8) returns nullopt and sets *bad_offset
// to its byte offset in `utf8` when given.
std::optional<std::string> windows_1252_from_utf8(std::string_view utf8, size_t* bad_offset = nullptr);

}  // namespace scenpack
