#include "lsp/editor_text.h"

#include <optional>

#include "base/utf8.h"
#include "base/windows_1252.h"

namespace scenpack {
namespace {

// Counts lines and UTF-16 columns over converted bytes: one unit a byte.
class PositionCounter {
 public:
  // Moves over `bytes`, the next bytes of the converted text.
  void over(std::string_view bytes) {
    for (size_t i = 0; i < bytes.size(); ++i) {
      const char c = bytes[i];
      if (c == '\n' || (c == '\r' && !(i + 1 < bytes.size() && bytes[i + 1] == '\n'))) {
        ++at_.line;
        at_.character = 0;
      } else if (c != '\r') {
        ++at_.character;
      }
    }
  }
  void over_units(int units) { at_.character += units; }
  EditorPosition at() const { return at_; }

 private:
  EditorPosition at_;
};

}  // namespace

DescriptionBytes description_bytes(std::string_view utf8) {
  DescriptionBytes out;
  out.bytes.reserve(utf8.size());
  PositionCounter counter;
  std::string_view rest = utf8;
  for (;;) {
    size_t bad = 0;
    std::optional<std::string> converted = windows_1252_from_utf8(rest, &bad);
    if (converted) {
      out.bytes += *converted;
      return out;
    }
    // The good part before the character, then the character as '?'s. (A
    // CR before the character does not end a line with it: it is followed.)
    const std::string good = windows_1252_from_utf8(rest.substr(0, bad)).value_or(std::string());
    counter.over(good);
    out.bytes += good;
    char32_t code_point = 0;
    const size_t length = utf8_sequence(rest, bad, &code_point);
    const int units = length > 0 && code_point > 0xFFFF ? 2 : 1;
    if (out.unconvertible.size() < DescriptionBytes::kMostListed) {
      out.unconvertible.push_back({counter.at(), units, std::string(rest.substr(bad, length))});
    }
    ++out.unconvertible_count;
    out.bytes.append(static_cast<size_t>(units), '?');
    counter.over_units(units);
    rest = rest.substr(bad + (length > 0 ? length : 1));
  }
}

size_t utf8_offset(std::string_view utf8, EditorPosition p) {
  size_t i = 0;
  for (int line = 0; line < p.line; ++line) {
    const size_t end = utf8.find_first_of("\r\n", i);
    if (end == std::string_view::npos) return utf8.size();
    i = end + (utf8[end] == '\r' && end + 1 < utf8.size() && utf8[end + 1] == '\n' ? 2 : 1);
  }
  int units = 0;
  while (i < utf8.size() && units < p.character && utf8[i] != '\r' && utf8[i] != '\n') {
    char32_t code_point = 0;
    const size_t length = static_cast<unsigned char>(utf8[i]) < 0x80 ? 1 : utf8_sequence(utf8, i, &code_point);
    units += length > 0 && code_point > 0xFFFF ? 2 : 1;
    i += length > 0 ? length : 1;
  }
  return i;
}

}  // namespace scenpack
