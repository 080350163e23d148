#include "view/shown_text.h"

#include "base/windows_1252.h"

namespace scenpack {
namespace {

bool is_control(char32_t c) { return c < 0x20 || (c >= 0x7F && c < 0xA0); }

}  // namespace

std::string shown_text(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  size_t run = 0;  // start of the bytes not yet written
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (!is_control(windows_1252_code_point(byte))) continue;
    out += utf8_from_windows_1252(bytes.substr(run, i - run));
    out += "\\x";
    out += kHex[byte >> 4];
    out += kHex[byte & 0xF];
    run = i + 1;
  }
  out += utf8_from_windows_1252(bytes.substr(run));
  return out;
}

std::string quoted_text(std::string_view bytes) {
  std::string out = "\"";
  out += shown_text(bytes);
  out += '"';
  return out;
}

std::string decoded_text(std::string_view bytes) { return utf8_from_windows_1252(bytes); }

}  // namespace scenpack
