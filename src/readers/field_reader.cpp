#include "readers/field_reader.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <system_error>

#include "model/numeric.h"
#include "readers/read_fault.h"

namespace scenpack {
namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool is_line_break(char c) { return c == '\r' || c == '\n'; }

// The bytes that end an unquoted numeric field (a blank, a comma, a line
// end), as one look-up: most bytes of a description are in such fields.
constexpr std::array<bool, 256> kEndsNumericField = [] {
  std::array<bool, 256> ends{};
  for (unsigned char c : {' ', '\t', ',', '\r', '\n'}) ends[c] = true;
  return ends;
}();
bool ends_numeric_field(char c) { return kEndsNumericField[static_cast<unsigned char>(c)]; }

char lower_ascii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Parses [sign] digits [. digits] (at least one digit) into the nearest
// double. Returns false when the text is not such a number.
bool parse_number(std::string_view s, double& out) {
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  size_t digits = 0;
  while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
  }
  if (i != s.size() || digits == 0) return false;
  // from_chars takes no leading '+'.
  if (s[0] == '+') s.remove_prefix(1);
  const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), out, std::chars_format::fixed);
  if (error == std::errc::result_out_of_range) {
    // Too large for a double (any width refuses it) or too small (zero).
    const bool large = s.substr(0, s.find('.')).find_first_not_of("-0") != std::string_view::npos;
    out = !large ? 0.0 : (s[0] == '-') ? -HUGE_VAL : HUGE_VAL;
    return true;
  }
  return error == std::errc() && end == s.data() + s.size();
}

// Digits of a short decimal that the exact rounding below takes: a whole
// part of up to 15 digits is exact as an int64 and as a double; with a
// fraction of up to 6 digits and a whole part under 10^9 the value lies at
// least 10^-6 from any half, farther than half the spacing of doubles
// there (2^-24), so its nearest double rounds to the same whole number.
constexpr size_t kMostWholeDigits = 15;
constexpr size_t kMostWholeDigitsWithFraction = 9;
constexpr size_t kMostFractionDigits = 6;

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Adds the digits from s[i] on to `value`, moving i past them: false when
// there are more than `most` of them (the value is then not to be used).
bool take_digits(std::string_view s, size_t& i, size_t most, int64_t& value) {
  const size_t start = i;
  for (; i < s.size() && is_digit(s[i]); ++i) {
    if (i - start == most) return false;
    value = value * 10 + (s[i] - '0');
  }
  return true;
}

constexpr std::array<int64_t, kMostFractionDigits + 1> kPowersOfTen = {1, 10, 100, 1000, 10000, 100000, 1000000};

// Rounds [sign] digits [. digits] to the nearest whole number, ties to
// even, exactly as parsing it to the nearest double and rounding that
// would: nothing when the text is not such a short decimal (the general
// path then parses it, or refuses it).
std::optional<int64_t> round_short_decimal(std::string_view s) {
  size_t i = (!s.empty() && (s[0] == '+' || s[0] == '-')) ? 1 : 0;
  const bool negative = i == 1 && s[0] == '-';
  const size_t digits_start = i;
  while (i < s.size() && s[i] == '0') ++i;  // leading zeros carry nothing
  const size_t whole_start = i;
  int64_t whole = 0;
  if (!take_digits(s, i, kMostWholeDigits, whole)) return std::nullopt;
  const size_t whole_digits = i - whole_start;
  const bool any_whole_digit = i > digits_start;
  int64_t fraction = 0;
  int64_t scale = 1;  // 10 to the number of fraction digits
  if (i < s.size() && s[i] == '.') {
    const size_t fraction_start = ++i;
    if (!take_digits(s, i, kMostFractionDigits, fraction)) return std::nullopt;
    scale = kPowersOfTen[i - fraction_start];
    if (i == fraction_start && !any_whole_digit) return std::nullopt;  // no digit at all
    if (whole_digits > kMostWholeDigitsWithFraction) return std::nullopt;
  } else if (!any_whole_digit) {
    return std::nullopt;
  }
  if (i != s.size()) return std::nullopt;
  int64_t rounded = whole;
  if (2 * fraction > scale || (2 * fraction == scale && whole % 2 != 0)) ++rounded;
  return negative ? -rounded : rounded;
}

}  // namespace

void FieldReader::fault(FieldProblem problem, std::string_view found, const std::string& what) const {
  throw ReadFault(what, field_line_, field_column_, problem, std::string(found));
}

void FieldReader::too_wide(std::string_view field, const char* width) const {
  fault(FieldProblem::kTooWide, field, "value " + std::string(field) + " does not fit " + width);
}

void FieldReader::start_field() {
  previous_end_ = {field_line_, field_end_column_};
  skip_blanks();
  field_line_ = line_;
  field_column_ = column();
  field_line_start_ = line_start_;
}

std::string_view FieldReader::last_field_bytes() const {
  const size_t from = field_line_start_ + static_cast<size_t>(field_column_ - 1);
  if (field_end_column_ <= field_column_ || from >= data_.size()) return {};
  return data_.substr(from, static_cast<size_t>(field_end_column_ - field_column_));
}

void FieldReader::back_to_field_line() {
  pos_ = field_line_start_;
  line_start_ = field_line_start_;
  line_ = field_line_;
}

void FieldReader::skip_blanks() {
  while (pos_ < data_.size() && is_blank(data_[pos_])) ++pos_;
}

bool FieldReader::at_line_end() const { return pos_ < data_.size() && is_line_break(data_[pos_]); }

void FieldReader::consume_line_end() {
  if (pos_ >= data_.size()) return;
  if (data_[pos_] == '\r') {
    ++pos_;
    if (pos_ < data_.size() && data_[pos_] == '\n') ++pos_;
  } else if (data_[pos_] == '\n') {
    ++pos_;
  } else {
    return;
  }
  ++line_;
  line_start_ = pos_;
}

void FieldReader::skip_past_line(int line) {
  while (line_ <= line && pos_ < data_.size()) {
    while (pos_ < data_.size() && !is_line_break(data_[pos_])) ++pos_;
    if (pos_ >= data_.size()) break;
    consume_line_end();
  }
}

std::string FieldReader::text() { return std::string(text_view()); }

std::string_view FieldReader::text_view() {
  if (at_end()) fault(FieldProblem::kPastTheEnd, {}, "read past the end of the file");
  start_field();
  std::string_view field;
  if (pos_ < data_.size() && data_[pos_] == '"') {
    ++pos_;
    size_t start = pos_;
    while (pos_ < data_.size() && data_[pos_] != '"' && !is_line_break(data_[pos_])) ++pos_;
    field = data_.substr(start, pos_ - start);
    if (pos_ < data_.size() && data_[pos_] == '"') ++pos_;
    field_end_column_ = column();
    // Whatever stands between the closing quote and the delimiter is dropped.
    while (pos_ < data_.size() && data_[pos_] != ',' && !is_line_break(data_[pos_])) ++pos_;
  } else {
    size_t start = pos_;
    while (pos_ < data_.size() && data_[pos_] != ',' && !is_line_break(data_[pos_])) ++pos_;
    field = data_.substr(start, pos_ - start);
    field_end_column_ = column();
  }
  if (pos_ < data_.size() && data_[pos_] == ',') {
    ++pos_;
  } else {
    consume_line_end();
  }
  return field;
}

std::string_view FieldReader::rest_of_number_field() {
  std::string_view field;
  if (pos_ < data_.size() && data_[pos_] == '"') {
    ++pos_;
    size_t start = pos_;
    while (pos_ < data_.size() && data_[pos_] != '"' && !is_line_break(data_[pos_])) ++pos_;
    field = data_.substr(start, pos_ - start);
    if (pos_ < data_.size() && data_[pos_] == '"') ++pos_;
  } else {
    size_t start = pos_;
    while (pos_ < data_.size() && !ends_numeric_field(data_[pos_])) ++pos_;
    field = data_.substr(start, pos_ - start);
  }
  end_number_field();
  return field;
}

void FieldReader::end_number_field() {
  field_end_column_ = column();
  skip_blanks();
  if (pos_ < data_.size() && data_[pos_] == ',') {
    ++pos_;
  } else {
    consume_line_end();
  }
}

bool FieldReader::plain_integer_field(int64_t& value) {
  const size_t start = pos_;
  size_t i = start;
  const bool negative = i < data_.size() && data_[i] == '-';
  if (i < data_.size() && (data_[i] == '+' || data_[i] == '-')) ++i;
  const size_t digits_start = i;
  int64_t magnitude = 0;
  if (!take_digits(data_, i, kMostWholeDigits, magnitude)) return false;
  if (i == digits_start || (i < data_.size() && !ends_numeric_field(data_[i]))) return false;
  pos_ = i;
  value = negative ? -magnitude : magnitude;
  return true;
}

int64_t FieldReader::number(int64_t lo, int64_t hi, const char* width) {
  if (at_end()) fault(FieldProblem::kPastTheEnd, {}, "read past the end of the file");
  start_field();
  const size_t start = pos_;
  if (int64_t plain = 0; plain_integer_field(plain)) {
    const size_t end = pos_;
    end_number_field();
    if (plain < lo || plain > hi) too_wide(data_.substr(start, end - start), width);
    return plain;
  }
  return any_number(lo, hi, width);
}

int64_t FieldReader::any_number(int64_t lo, int64_t hi, const char* width) {
  std::string_view field = rest_of_number_field();
  // Blanks inside quotes around a number are allowed.
  while (!field.empty() && is_blank(field.front())) field.remove_prefix(1);
  while (!field.empty() && is_blank(field.back())) field.remove_suffix(1);
  if (field.empty()) return 0;
  if (const std::optional<int64_t> exact = round_short_decimal(field)) {
    if (*exact < lo || *exact > hi) too_wide(field, width);
    return *exact;
  }
  double v = 0;
  if (!parse_number(field, v)) fault(FieldProblem::kNotANumber, field, "not a number: \"" + std::string(field) + "\"");
  // A fraction is rounded to the nearest whole number, ties to even.
  const double r = round_half_even(v);
  if (!(r >= static_cast<double>(lo) && r <= static_cast<double>(hi))) too_wide(field, width);
  return static_cast<int64_t>(r);
}

int32_t FieldReader::long_() {
  return static_cast<int32_t>(number(std::numeric_limits<int32_t>::min(),
                                     std::numeric_limits<int32_t>::max(), "a Long"));
}

int16_t FieldReader::integer() {
  return static_cast<int16_t>(number(std::numeric_limits<int16_t>::min(),
                                     std::numeric_limits<int16_t>::max(), "an Integer"));
}

uint8_t FieldReader::byte() { return static_cast<uint8_t>(number(0, 255, "a Byte")); }

bool contains(std::string_view field, std::string_view keyword) {
  return field.find(keyword) != std::string_view::npos;
}

bool contains_nocase(std::string_view field, std::string_view keyword) {
  if (keyword.empty()) return true;
  if (keyword.size() > field.size()) return false;
  for (size_t i = 0; i + keyword.size() <= field.size(); ++i) {
    size_t k = 0;
    while (k < keyword.size() && lower_ascii(field[i + k]) == lower_ascii(keyword[k])) ++k;
    if (k == keyword.size()) return true;
  }
  return false;
}

}  // namespace scenpack
