// A cursor over a description's bytes that hands out fields the way a
// classic sequential-input statement does.
//
//  - A read skips leading blanks (spaces and tabs).
//  - A text field runs to a comma or the end of the line and keeps its
//    trailing blanks; the comma or line end that ends it is consumed. A field
//    that starts with a double quote runs to the closing quote (an unclosed
//    quote runs to the end of the line); what follows the closing quote up to
//    the next comma or line end is dropped, and that comma or line end is
//    consumed. An empty line gives an empty field.
//  - A numeric field ends at a blank, a comma or the end of the line; then
//    the blanks that follow are skipped, and one comma or one line end is
//    consumed when it is next. An empty numeric field reads as 0.
//  - A line end is CR LF, a lone CR or a lone LF.
//  - Numbers may carry a sign and a fraction; a fraction is rounded to the
//    nearest whole number, ties to even. Text that is not a number, a value
//    that does not fit the field's width, and a read at the end of the file
//    throw ReadFault, which carries the line and column where the field
//    started (for a read at the end, those of the last field read).
//  - at_end() is true once the read position has passed the last byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "readers/read_fault.h"

namespace scenpack {

// A place in a description: 1-based line and byte column.
struct TextPosition {
  int line = 0;
  int column = 0;
};

class FieldReader {
 public:
  // The reader only looks at the bytes: they must outlive it.
  explicit FieldReader(std::string_view bytes) : data_(bytes) {}
  explicit FieldReader(const char* bytes) : data_(bytes) {}  // a literal
  explicit FieldReader(std::string&&) = delete;               // would dangle

  bool at_end() const { return pos_ >= data_.size(); }

  std::string text();
  // The same field as a view into the description's bytes (no copy).
  std::string_view text_view();
  int32_t long_();     // Long, 32-bit signed
  int16_t integer();   // Integer, 16-bit signed
  uint8_t byte();      // Byte, 0..255

  // 1-based line and byte column at which the last field read started.
  int field_line() const { return field_line_; }
  int field_column() const { return field_column_; }
  TextPosition field_start() const { return {field_line_, field_column_}; }
  // 1-based line of the read position.
  int line() const { return line_; }
  // 1-based column just past the last byte of the last field read (its
  // closing quote included), on field_line().
  int field_end_column() const { return field_end_column_; }
  // The bytes of the last field read, from its first byte to its end on
  // its line (a quoted field with its quotes).
  std::string_view last_field_bytes() const;
  // Where the field before the last one ended (line, column just past it).
  TextPosition previous_field_end() const { return previous_end_; }

  // Moves the read position to the start of the line after `line` (to the
  // end of the file when there is none); nothing when already past it.
  void skip_past_line(int line);
  // Moves the read position back to the start of the line on which the
  // last field started (used when that field belongs to the next row).
  void back_to_field_line();

 private:
  void skip_blanks();
  void start_field();
  int column() const { return static_cast<int>(pos_ - line_start_) + 1; }
  bool at_line_end() const;
  void consume_line_end();
  // The field from the read position on (its first byte after the blanks),
  // and what follows it up to the next field.
  std::string_view rest_of_number_field();
  void end_number_field();
  // An unquoted field of a sign and up to 15 digits, and nothing else up to
  // the blank, comma or line end that ends it: its value, the read position
  // moved past its digits. False, and nothing moved, for any other field.
  [[gnu::always_inline]] inline bool plain_integer_field(int64_t& value);
  int64_t number(int64_t lo, int64_t hi, const char* width);
  // Any other numeric field, from its first byte after the blanks: kept
  // out of line, so that the common field's path stays short.
  [[gnu::noinline]] int64_t any_number(int64_t lo, int64_t hi, const char* width);
  [[noreturn]] void fault(FieldProblem problem, std::string_view found, const std::string& what) const;
  [[noreturn]] void too_wide(std::string_view field, const char* width) const;

  std::string_view data_;
  size_t pos_ = 0;
  size_t line_start_ = 0;  // offset of the first byte of the current line
  int line_ = 1;
  size_t field_line_start_ = 0;  // line_start_ of the last field
  int field_line_ = 1;
  int field_column_ = 1;
  int field_end_column_ = 1;
  TextPosition previous_end_{1, 1};
};

// Substring tests on a field, the two ways keywords are looked for.
bool contains(std::string_view field, std::string_view keyword);              // case-sensitive
bool contains_nocase(std::string_view field, std::string_view keyword);       // ASCII case-insensitive

}  // namespace scenpack
