#include "markup/escape.h"

#include <cstdint>

namespace scenpack {

size_t utf8_sequence(std::string_view s, size_t i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char c = byte(i);
  size_t n = 0;
  uint32_t cp = 0;
  if (c >= 0xC2 && c <= 0xDF) n = 2, cp = c & 0x1F;
  else if (c >= 0xE0 && c <= 0xEF) n = 3, cp = c & 0x0F;
  else if (c >= 0xF0 && c <= 0xF4) n = 4, cp = c & 0x07;
  else return 0;
  if (i + n > s.size()) return 0;
  for (size_t k = 1; k < n; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (byte(i + k) & 0x3F);
  }
  const bool overlong = (n == 3 && cp < 0x800) || (n == 4 && cp < 0x10000);
  const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
  if (overlong || surrogate || cp > 0x10FFFF) return 0;
  return n;
}

namespace {

void append_escape(std::string& out, uint32_t code) {
  static const char* hex = "0123456789abcdef";
  out += "\\u00";
  out += hex[(code >> 4) & 15];
  out += hex[code & 15];
}

}  // namespace

std::string json_string(std::string_view text) {
  std::string out = "\"";
  for (size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c < 0x20 || c == 0x7F) {
      append_escape(out, c);
    } else if (c >= 0x80) {
      if (size_t n = utf8_sequence(text, i); n > 0) {
        out.append(text.substr(i, n));
        i += n;
        continue;
      }
      append_escape(out, c);
    } else {
      out += static_cast<char>(c);
    }
    ++i;
  }
  return out + "\"";
}

std::string xml_text(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      case '\t': case '\n': case '\r': out += static_cast<char>(c); break;
      default:
        if (c < 0x20 || c == 0x7F) break;
        if (c >= 0x80) {
          if (size_t n = utf8_sequence(text, i); n > 0) {
            out.append(text.substr(i, n));
            i += n;
            continue;
          }
          out += "&#" + std::to_string(c) + ";";
          break;
        }
        out += static_cast<char>(c);
    }
    ++i;
  }
  return out;
}

}  // namespace scenpack
