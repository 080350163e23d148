// What a numeric field must read as, by the slow road: the text parsed to
// the nearest double by std::from_chars, rounded half to even, and checked
// against the width. The field reader's fast paths are compared with it.
#pragma once

#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/numeric.h"
#include "readers/field_reader.h"
#include "readers/read_fault.h"

namespace scenpack::testing_support {

struct NumberReading {
  enum class Kind { kValue, kTooWide, kNotANumber } kind = Kind::kValue;
  int64_t value = 0;
  bool operator==(const NumberReading&) const = default;
};

// [sign] digits [. digits], at least one digit, into a Long.
inline NumberReading reference_long(std::string_view s) {
  using Kind = NumberReading::Kind;
  size_t i = (!s.empty() && (s[0] == '+' || s[0] == '-')) ? 1 : 0;
  size_t digits = 0;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
  }
  if (i != s.size() || digits == 0) return {Kind::kNotANumber, 0};
  std::string_view unsigned_text = s[0] == '+' ? s.substr(1) : s;
  double v = 0;
  const auto [end, error] =
      std::from_chars(unsigned_text.data(), unsigned_text.data() + unsigned_text.size(), v, std::chars_format::fixed);
  if (error == std::errc::result_out_of_range) {
    // Below the smallest double: zero. Above the largest: too wide.
    const std::string_view whole = unsigned_text.substr(0, unsigned_text.find('.'));
    if (whole.find_first_not_of("-0") != std::string_view::npos) return {Kind::kTooWide, 0};
    return {Kind::kValue, 0};
  }
  if (error != std::errc() || end != unsigned_text.data() + unsigned_text.size()) return {Kind::kNotANumber, 0};
  const double r = round_half_even(v);
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) return {Kind::kTooWide, 0};
  return {Kind::kValue, static_cast<int64_t>(r)};
}

// The same field as the field reader reads it.
inline NumberReading field_reader_long(std::string_view s) {
  using Kind = NumberReading::Kind;
  try {
    FieldReader r(s);
    return {Kind::kValue, r.long_()};
  } catch (const ReadFault& f) {
    return {f.problem == FieldProblem::kTooWide ? Kind::kTooWide : Kind::kNotANumber, 0};
  }
}

}  // namespace scenpack::testing_support
