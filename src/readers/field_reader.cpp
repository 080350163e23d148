#include "readers/field_reader.h"

#include <cctype>
#include <limits>

#include "readers/read_fault.h"

namespace scenpack {
namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool is_line_break(char c) { return c == '\r' || c == '\n'; }

char lower_ascii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Parses [sign] digits [. digits] (at least one digit) and rounds a
// fraction to the nearest whole number, ties to even. Returns false when
// the text is not such a number or its whole part is absurdly long.
bool parse_number(std::string_view s, int64_t& out) {
  size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  int64_t whole = 0;
  size_t digits = 0;
  while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
    if (whole > std::numeric_limits<int64_t>::max() / 100) return false;
    whole = whole * 10 + (s[i] - '0');
    ++i;
    ++digits;
  }
  std::string_view fraction;
  if (i < s.size() && s[i] == '.') {
    size_t start = ++i;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i;
    fraction = s.substr(start, i - start);
    digits += fraction.size();
  }
  if (i != s.size() || digits == 0) return false;
  if (!fraction.empty()) {
    const char first = fraction[0];
    bool rest_nonzero = fraction.find_first_not_of('0', 1) != std::string_view::npos;
    if (first > '5' || (first == '5' && rest_nonzero)) {
      ++whole;
    } else if (first == '5' && (whole % 2) == 1) {
      ++whole;  // a tie goes to the even neighbour
    }
  }
  out = negative ? -whole : whole;
  return true;
}

}  // namespace

void FieldReader::fault(const std::string& what) const { throw ReadFault{what, field_line_}; }

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
}

std::string FieldReader::text() {
  if (at_end()) fault("read past the end of the file");
  skip_blanks();
  field_line_ = line_;
  std::string field;
  if (pos_ < data_.size() && data_[pos_] == '"') {
    ++pos_;
    size_t start = pos_;
    while (pos_ < data_.size() && data_[pos_] != '"' && !is_line_break(data_[pos_])) ++pos_;
    field.assign(data_.substr(start, pos_ - start));
    if (pos_ < data_.size() && data_[pos_] == '"') ++pos_;
    // Whatever stands between the closing quote and the delimiter is dropped.
    while (pos_ < data_.size() && data_[pos_] != ',' && !is_line_break(data_[pos_])) ++pos_;
  } else {
    size_t start = pos_;
    while (pos_ < data_.size() && data_[pos_] != ',' && !is_line_break(data_[pos_])) ++pos_;
    field.assign(data_.substr(start, pos_ - start));
  }
  if (pos_ < data_.size() && data_[pos_] == ',') {
    ++pos_;
  } else {
    consume_line_end();
  }
  return field;
}

std::string_view FieldReader::raw_number_field() {
  if (at_end()) fault("read past the end of the file");
  skip_blanks();
  field_line_ = line_;
  std::string_view field;
  if (pos_ < data_.size() && data_[pos_] == '"') {
    ++pos_;
    size_t start = pos_;
    while (pos_ < data_.size() && data_[pos_] != '"' && !is_line_break(data_[pos_])) ++pos_;
    field = data_.substr(start, pos_ - start);
    if (pos_ < data_.size() && data_[pos_] == '"') ++pos_;
  } else {
    size_t start = pos_;
    while (pos_ < data_.size() && data_[pos_] != ',' && !is_blank(data_[pos_]) &&
           !is_line_break(data_[pos_])) {
      ++pos_;
    }
    field = data_.substr(start, pos_ - start);
  }
  skip_blanks();
  if (pos_ < data_.size() && data_[pos_] == ',') {
    ++pos_;
  } else {
    consume_line_end();
  }
  return field;
}

int64_t FieldReader::number(int64_t lo, int64_t hi, const char* width) {
  std::string_view field = raw_number_field();
  // Blanks inside quotes around a number are allowed.
  while (!field.empty() && is_blank(field.front())) field.remove_prefix(1);
  while (!field.empty() && is_blank(field.back())) field.remove_suffix(1);
  if (field.empty()) return 0;
  int64_t v = 0;
  if (!parse_number(field, v)) fault("not a number: \"" + std::string(field) + "\"");
  if (v < lo || v > hi) {
    fault("value " + std::string(field) + " does not fit " + width);
  }
  return v;
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
