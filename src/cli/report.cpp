#include "cli/report.h"

#include "platform/file_system.h"

namespace scenpack {
namespace {

// Length of the valid UTF-8 sequence starting at s[i], 0 if none.
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

void append_escape(std::string& out, uint32_t code) {
  static const char* hex = "0123456789abcdef";
  out += "\\u00";
  out += hex[(code >> 4) & 15];
  out += hex[code & 15];
}

std::string json_list(const std::vector<std::string>& items) {
  std::string out = "[";
  for (size_t i = 0; i < items.size(); ++i) {
    if (i) out += ", ";
    out += json_string(items[i]);
  }
  return out + "]";
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

std::string report_json(const RunReport& r) {
  const std::string file = r.errore.where ? r.errore.where->file : "";
  const int line = r.errore.where ? r.errore.where->line : 0;
  return "{\"exit_status\": " + std::to_string(r.exit_status) +
         ", \"codice_errore\": " + std::to_string(r.errore.codice_errore) +
         ", \"posizione_errore\": " + std::to_string(r.errore.posizione_errore) +
         ", \"file\": " + json_string(file) + ", \"line\": " + std::to_string(line) +
         ", \"message\": " + json_string(r.message) + ", \"dir\": " + json_string(r.dir) +
         ", \"files\": " + json_list(r.files) + ", \"texts\": " + json_list(r.texts) + "}\n";
}

Status write_report(const std::string& path, const RunReport& r) {
  return write_file_atomically(path, report_json(r));
}

}  // namespace scenpack
