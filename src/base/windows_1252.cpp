#include "base/windows_1252.h"

#include <array>

#include "base/utf8.h"

namespace scenpack {
namespace {

// The characters of bytes 0x80-0x9F; the five unassigned bytes keep their
// own number.
constexpr std::array<char32_t, 32> kRow80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

// The byte that stands for `c`, if any.
std::optional<unsigned char> byte_for(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
  for (size_t k = 0; k < kRow80.size(); ++k) {
    if (kRow80[k] == c) return static_cast<unsigned char>(0x80 + k);
  }
  return std::nullopt;
}

}  // namespace

char32_t windows_1252_code_point(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kRow80[byte - 0x80];
  return byte;
}

std::string utf8_from_windows_1252(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char b : bytes) {
    const auto byte = static_cast<unsigned char>(b);
    if (byte < 0x80) out += b;
    else append_utf8(out, windows_1252_code_point(byte));
  }
  return out;
}

std::optional<std::string> windows_1252_from_utf8(std::string_view utf8, size_t* bad_offset) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    char32_t c = static_cast<unsigned char>(utf8[i]);
    size_t length = 1;
    if (c >= 0x80) length = utf8_sequence(utf8, i, &c);
    const std::optional<unsigned char> byte = length > 0 ? byte_for(c) : std::nullopt;
    if (!byte) {
      if (bad_offset) *bad_offset = i;
      return std::nullopt;
    }
    out += static_cast<char>(*byte);
    i += length;
  }
  return out;
}

}  // namespace scenpack
