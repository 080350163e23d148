// An editor's text and the bytes the file would hold. The editor sends
// UTF-8 and counts columns in UTF-16 units; the descriptions are single-byte
// Windows-1252, where every character is one byte and one UTF-16 unit. A
// character that has no Windows-1252 form is put in as '?' once for each of
// its UTF-16 units, so that a byte column of the result is always the
// editor's column, and it is listed.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace scenpack {

// A place in the editor's text: 0-based line and UTF-16 column.
struct EditorPosition {
  int line = 0;
  int character = 0;
};

struct UnconvertibleCharacter {
  EditorPosition at;
  int units = 1;          // its length in UTF-16 units
  std::string character;  // its UTF-8 bytes ("" for bytes that are no UTF-8)
};

struct DescriptionBytes {
  std::string bytes;
  std::vector<UnconvertibleCharacter> unconvertible;  // the first kMostListed only
  size_t unconvertible_count = 0;
  static constexpr size_t kMostListed = 20;
};

// The Windows-1252 bytes of an editor's UTF-8 text.
DescriptionBytes description_bytes(std::string_view utf8);

// The byte offset in `utf8` of an editor's position, clamped as the
// protocol says: a line past the last gives the end of the text, a column
// past the end of its line the end of that line.
size_t utf8_offset(std::string_view utf8, EditorPosition p);

}  // namespace scenpack
