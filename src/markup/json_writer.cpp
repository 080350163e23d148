#include "markup/json_writer.h"

#include <array>
#include <charconv>
#include <cmath>

#include "markup/escape.h"

namespace scenpack {

std::string shortest_number(double v) {
  std::array<char, 32> buf;
  const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), v);
  return std::string(buf.data(), r.ptr);
}

void JsonWriter::before_value() {
  if (after_key_) {
    after_key_ = false;
    return;
  }
  if (!first_in_level_.empty()) {
    if (!first_in_level_.back()) out_ += ", ";
    first_in_level_.back() = false;
  }
}

JsonWriter& JsonWriter::begin_object() {
  before_value();
  out_ += '{';
  first_in_level_.push_back(true);
  return *this;
}

JsonWriter& JsonWriter::end_object() {
  out_ += '}';
  first_in_level_.pop_back();
  return *this;
}

JsonWriter& JsonWriter::begin_array() {
  before_value();
  out_ += '[';
  first_in_level_.push_back(true);
  return *this;
}

JsonWriter& JsonWriter::end_array() {
  out_ += ']';
  first_in_level_.pop_back();
  return *this;
}

JsonWriter& JsonWriter::key(std::string_view name) {
  before_value();
  out_ += json_string(name);
  out_ += ": ";
  after_key_ = true;
  return *this;
}

JsonWriter& JsonWriter::value(std::string_view text) {
  before_value();
  out_ += json_string(text);
  return *this;
}

JsonWriter& JsonWriter::value(int64_t number) {
  before_value();
  out_ += std::to_string(number);
  return *this;
}

JsonWriter& JsonWriter::value(double number) {
  if (!std::isfinite(number)) return null();
  before_value();
  out_ += shortest_number(number);
  return *this;
}

JsonWriter& JsonWriter::value(bool truth) {
  before_value();
  out_ += truth ? "true" : "false";
  return *this;
}

JsonWriter& JsonWriter::null() {
  before_value();
  out_ += "null";
  return *this;
}

}  // namespace scenpack
