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

std::string JsonWriter::take_text() {
  std::string taken;
  taken.swap(out_);
  return taken;
}

void JsonWriter::new_line(size_t depth) {
  out_ += '\n';
  out_.append(2 * depth, ' ');
}

void JsonWriter::before_value() {
  if (after_key_) {
    after_key_ = false;
    return;
  }
  if (!first_in_level_.empty()) {
    if (!first_in_level_.back()) out_ += pretty_ ? "," : ", ";
    if (pretty_) new_line(first_in_level_.size());
    first_in_level_.back() = false;
  }
}

// An end without its begin writes its bracket (the text shows the misuse)
// and leaves the levels alone.
void JsonWriter::close_level(char bracket) {
  if (first_in_level_.empty()) {
    out_ += bracket;
    return;
  }
  const bool empty = first_in_level_.back();
  first_in_level_.pop_back();
  if (pretty_ && !empty) new_line(first_in_level_.size());
  out_ += bracket;
}

JsonWriter& JsonWriter::begin_object() {
  before_value();
  out_ += '{';
  first_in_level_.push_back(true);
  return *this;
}

JsonWriter& JsonWriter::end_object() {
  close_level('}');
  return *this;
}

JsonWriter& JsonWriter::begin_array() {
  before_value();
  out_ += '[';
  first_in_level_.push_back(true);
  return *this;
}

JsonWriter& JsonWriter::end_array() {
  close_level(']');
  return *this;
}

JsonWriter& JsonWriter::key(std::string_view name) {
  before_value();
  append_json_string(out_, name);
  out_ += ": ";
  after_key_ = true;
  return *this;
}

JsonWriter& JsonWriter::value(std::string_view text) {
  before_value();
  append_json_string(out_, text);
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
