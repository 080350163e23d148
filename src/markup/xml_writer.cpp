#include "markup/xml_writer.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <system_error>
#include <utility>

#include "markup/escape.h"

namespace scenpack {

void XmlWriter::start_tag(std::string_view name, std::initializer_list<XmlAttribute> attributes) {
  out_ += '<';
  out_ += name;
  for (const XmlAttribute& a : attributes) {
    out_ += ' ';
    out_ += a.first;
    out_ += "=\"";
    out_ += xml_text(a.second);
    out_ += '"';
  }
}

XmlWriter& XmlWriter::open(std::string_view name, std::initializer_list<XmlAttribute> attributes) {
  start_tag(name, attributes);
  out_ += '>';
  open_.emplace_back(name);
  return *this;
}

XmlWriter& XmlWriter::close() {
  if (open_.empty()) return *this;
  out_ += "</" + open_.back() + ">";
  open_.pop_back();
  return *this;
}

XmlWriter& XmlWriter::leaf(std::string_view name, std::initializer_list<XmlAttribute> attributes) {
  start_tag(name, attributes);
  out_ += "/>";
  return *this;
}

XmlWriter& XmlWriter::element(std::string_view name, std::string_view text,
                              std::initializer_list<XmlAttribute> attributes) {
  start_tag(name, attributes);
  out_ += '>';
  out_ += xml_text(text);
  out_ += "</";
  out_ += name;
  out_ += '>';
  return *this;
}

XmlWriter& XmlWriter::content(std::string_view text) {
  out_ += xml_text(text);
  return *this;
}

XmlWriter& XmlWriter::raw(std::string_view markup) {
  out_ += markup;
  return *this;
}

namespace {

// `v` with `decimals` digits after the point, rounded as printf's "%.*f"
// rounds (to nearest, ties to even, from the exact binary value).
std::string fixed_digits(double v, int decimals) {
  // Most numbers fit here; 1e300, say, is written whole through printf.
  std::array<char, 64> digits;
  const auto r = std::to_chars(digits.data(), digits.data() + digits.size(), v, std::chars_format::fixed, decimals);
  if (r.ec == std::errc()) return std::string(digits.data(), r.ptr);
  const int length = std::snprintf(nullptr, 0, "%.*f", decimals, v);
  if (length <= 0) return "0";
  std::string s(static_cast<size_t>(length) + 1, '\0');
  std::snprintf(s.data(), s.size(), "%.*f", decimals, v);
  s.pop_back();
  return s;
}

// The same for the numbers of a picture, which are most of its text:
// |v| * 10^decimals rounded in integers, from v's exact binary value, when
// that value is m * 2^-s with a 53-bit m and 1 <= s <= 63 (about 2^-10 <=
// |v| < 2^52) and decimals <= 3; none otherwise.
std::optional<std::string> fixed_digits_fast(double v, int decimals) {
  if (decimals < 0 || decimals > 3) return std::nullopt;
  const auto bits = std::bit_cast<uint64_t>(v);
  const auto biased = static_cast<int>((bits >> 52) & 0x7FF);
  const int shift = 1075 - biased;  // v = m * 2^-shift
  if (biased == 0 || shift < 1 || shift > 63) return std::nullopt;
  const uint64_t m = (bits & ((uint64_t{1} << 52) - 1)) | (uint64_t{1} << 52);
  uint64_t scale = 1;
  for (int i = 0; i < decimals; ++i) scale *= 10;
  const uint64_t scaled = m * scale;  // below 2^63
  uint64_t units = scaled >> shift;
  const uint64_t rest = scaled & ((uint64_t{1} << shift) - 1);
  const uint64_t half = uint64_t{1} << (shift - 1);
  if (rest > half || (rest == half && (units & 1) != 0)) ++units;
  std::string digits = std::to_string(units);
  if (decimals > 0) {
    if (digits.size() <= static_cast<size_t>(decimals)) digits.insert(0, static_cast<size_t>(decimals) + 1 - digits.size(), '0');
    digits.insert(digits.size() - static_cast<size_t>(decimals), 1, '.');
  }
  if (bits >> 63) digits.insert(0, 1, '-');
  return digits;
}

}  // namespace

std::string svg_number(double v, int decimals) {
  if (!std::isfinite(v)) return "0";
  std::optional<std::string> fast = fixed_digits_fast(v, decimals);
  std::string s = fast ? std::move(*fast) : fixed_digits(v, decimals);
  if (s.find('.') != std::string::npos) {
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
  }
  if (s == "-0") s = "0";
  return s;
}

}  // namespace scenpack
