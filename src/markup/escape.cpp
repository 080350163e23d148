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

// How many bytes from text[i] on are printable ASCII that `special` leaves
// alone: such a run goes out as it is, each byte its own character.
template <typename Special>
size_t plain_run(std::string_view text, size_t i, Special special) {
  size_t n = i;
  while (n < text.size()) {
    const auto byte = static_cast<unsigned char>(text[n]);
    if (byte < 0x20 || byte >= 0x7F || special(byte)) break;
    ++n;
  }
  return n - i;
}

bool json_special(unsigned char byte) { return byte == '"' || byte == '\\'; }
bool xml_special(unsigned char byte) {
  return byte == '&' || byte == '<' || byte == '>' || byte == '"' || byte == '\'';
}

}  // namespace

std::string json_string(std::string_view text) {
  std::string out;
  append_json_string(out, text);
  return out;
}

void append_json_string(std::string& out, std::string_view text) {
  out += '"';
  for (size_t i = 0; i < text.size();) {
    if (const size_t plain = plain_run(text, i, json_special); plain > 0) {
      out.append(text, i, plain);
      i += plain;
      continue;
    }
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
  out += '"';
}

std::string xml_text(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    if (const size_t plain = plain_run(text, i, xml_special); plain > 0) {
      out.append(text, i, plain);
      i += plain;
      continue;
    }
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
