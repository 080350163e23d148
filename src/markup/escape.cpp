#include "markup/escape.h"

#include <cstddef>
#include <cstdint>

#include "base/utf8.h"
#include "base/windows_1252.h"

namespace scenpack {
namespace {

// The character at text[i] and the number of bytes it takes: a well-formed
// UTF-8 sequence, or else one byte read as Windows-1252.
size_t next_character(std::string_view text, size_t i, char32_t* c) {
  const auto byte = static_cast<unsigned char>(text[i]);
  if (byte >= 0x80) {
    if (size_t n = utf8_sequence(text, i, c); n > 0) return n;
  }
  *c = windows_1252_code_point(byte);
  return 1;
}

bool is_control(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

void append_json_escape(std::string& out, char32_t c) {
  static const char* hex = "0123456789abcdef";
  out += "\\u00";
  out += hex[(c >> 4) & 15];
  out += hex[c & 15];
}

}  // namespace

std::string json_string(std::string_view text) {
  std::string out = "\"";
  for (size_t i = 0; i < text.size();) {
    char32_t c = 0;
    i += next_character(text, i, &c);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (is_control(c)) append_json_escape(out, c);
        else append_utf8(out, c);
    }
  }
  return out + "\"";
}

std::string xml_text(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    char32_t c = 0;
    i += next_character(text, i, &c);
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      case '\t': case '\n': case '\r': out += static_cast<char>(c); break;
      default:
        if (is_control(c)) break;
        append_utf8(out, is_noncharacter(c) ? char32_t{0xFFFD} : c);
    }
  }
  return out;
}

std::string terminal_text(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && c != '\t') || byte == 0x7F) {
      out += '^';
      out += static_cast<char>(byte ^ 0x40);
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace scenpack
