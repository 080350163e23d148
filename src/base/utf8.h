// UTF-8: recognising a well-formed sequence and writing a character.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace scenpack {

// Length of the well-formed UTF-8 multi-byte sequence starting at s[i] (2 to
// 4), 0 if there is none there: a lone byte, a cut, overlong or surrogate
// sequence, a character beyond U+10FFFF, or i past the end. ASCII bytes are
// not multi-byte sequences and give 0 too. When a sequence is found and
// `code_point` is given, the character it encodes is stored there.
size_t utf8_sequence(std::string_view s, size_t i, char32_t* code_point = nullptr);

// Appends the UTF-8 form of `c` (a character of U+0000..U+10FFFF that is not
// a surrogate; anything else is written as U+FFFD).
void append_utf8(std::string& out, char32_t c);

// U+FDD0..U+FDEF and the last two characters of every plane (U+FFFE, U+FFFF,
// U+1FFFE, ...): characters Unicode keeps out of interchange.
bool is_noncharacter(char32_t c);

}  // namespace scenpack
