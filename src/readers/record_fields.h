// The fields of one record, read for the readers so that a fault says
// which record was being read and what was found instead, at the line and
// column where the offending value stands ("the signal at 2550 has 10
// numbers, 11 are needed (found "segnale" on line 20)").
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "readers/field_reader.h"
#include "readers/read_fault.h"

namespace scenpack {

class RecordFields {
 public:
  // `what` names the record ("the signal"); `needed` is how many numbers
  // follow its keyword, the field the reader read last.
  RecordFields(FieldReader& in, const char* what, int needed)
      : in_(in), what_(what), needed_(needed), keyword_(in.field_start()),
        last_end_{in.field_line(), in.field_end_column()}, keyword_text_(in.last_field_bytes()) {}

  // The first number, the record's position: it names the record from now on.
  int32_t position() {
    reading_ = Width::kLong;
    const int32_t p = number([&] { return in_.long_(); });
    position_ = p;
    position_at_ = in_.field_start();
    return p;
  }
  int32_t long_() {
    reading_ = Width::kLong;
    return number([&] { return in_.long_(); });
  }
  int16_t integer() {
    reading_ = Width::kInteger;
    return number([&] { return in_.integer(); });
  }
  uint8_t byte() {
    reading_ = Width::kByte;
    return number([&] { return in_.byte(); });
  }
  std::string_view text() { return field([&] { return in_.text_view(); }); }

  TextPosition position_at() const { return position_.has_value() ? position_at_ : keyword_; }

  // Runs `apply` (reading and applying the record); a fault raised inside
  // comes out described with the record.
  template <class Apply>
  auto guard(Apply apply) -> decltype(apply()) {
    try {
      return apply();
    } catch (ReadFault& fault) {
      throw described(std::move(fault));
    }
  }

  ReadFault described(ReadFault fault) const;

 private:
  template <class Read>
  auto number(Read read) -> decltype(read()) {
    auto v = read();
    ++numbers_;
    if (in_.field_line() == keyword_.line) last_end_ = {in_.field_line(), in_.field_end_column()};
    return v;
  }
  template <class Read>
  auto field(Read read) -> decltype(read()) {
    auto v = read();
    if (in_.field_line() == keyword_.line) last_end_ = {in_.field_line(), in_.field_end_column()};
    return v;
  }
  enum class Width { kByte, kInteger, kLong };
  std::string name() const;
  // "the station kind" for the number being read, "" when the record's
  // fields are not known.
  std::string field_name() const;
  // "a byte, 0 to 255"
  std::string width_and_range() const;

  FieldReader& in_;
  const char* what_;
  int needed_;
  TextPosition keyword_;
  TextPosition last_end_;  // just past the last field read on the keyword's line
  int numbers_ = 0;
  std::optional<int32_t> position_;
  TextPosition position_at_;
  std::string_view keyword_text_;  // the keyword's field as written
  Width reading_ = Width::kLong;   // the width of the number being read
};

}  // namespace scenpack
