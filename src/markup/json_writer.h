// A small JSON writer: objects, arrays, keys and values appended in order,
// commas placed by the writer. Strings are escaped by markup/escape.h.
// Numbers that JSON cannot hold (NaN, infinities) are written as null.
//
//   JsonWriter w;
//   w.begin_object().key("cells").begin_array().value(1).value(2).end_array().end_object();
//   w.text()  ->  {"cells": [1, 2]}
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace scenpack {

class JsonWriter {
 public:
  JsonWriter() = default;
  // Pretty: every member and element on a line of its own, indented by two
  // blanks per level (for a reader at a terminal).
  explicit JsonWriter(bool pretty) : pretty_(pretty) {}

  JsonWriter& begin_object();
  JsonWriter& end_object();
  JsonWriter& begin_array();
  JsonWriter& end_array();
  JsonWriter& key(std::string_view name);
  JsonWriter& value(std::string_view text);
  JsonWriter& value(const char* text) { return value(std::string_view(text)); }
  JsonWriter& value(int64_t number);
  JsonWriter& value(int32_t number) { return value(static_cast<int64_t>(number)); }
  JsonWriter& value(double number);  // shortest form that reads back the same
  JsonWriter& value(bool truth);
  JsonWriter& null();

  // The document so far (complete once every object and array is closed).
  const std::string& text() const { return out_; }
  // The text written since the last take, handed over and forgotten: a long
  // document goes out piece by piece while the writer keeps its place.
  std::string take_text();

 private:
  void before_value();
  void close_level(char bracket);
  void new_line(size_t depth);
  bool pretty_ = false;
  std::string out_;
  std::vector<bool> first_in_level_;  // one entry per open object or array
  bool after_key_ = false;
};

// A number as the shortest text that reads back as the same double ("0.1",
// "1e+300", "-0"); "nan", "inf" and "-inf" for the others.
std::string shortest_number(double v);

}  // namespace scenpack
