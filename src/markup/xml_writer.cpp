#include "markup/xml_writer.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <system_error>

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

}  // namespace

std::string svg_number(double v, int decimals) {
  if (!std::isfinite(v)) return "0";
  std::string s = fixed_digits(v, decimals);
  if (s.find('.') != std::string::npos) {
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
  }
  if (s == "-0") s = "0";
  return s;
}

}  // namespace scenpack
