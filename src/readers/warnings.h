// What the build accepts silently but an author almost never means. The
// readers report these to the fault sink as warnings; they change nothing
// that is read, stored or written.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/fault_sink.h"
#include "readers/field_reader.h"

namespace scenpack {

// Reports warnings of one description under its name.
class Warner {
 public:
  Warner(FaultSink& sink, const std::string& name) : sink_(sink), name_(name) {}

  void at(WarningName warning, TextPosition where, std::string message,
          std::optional<Fix> fix = std::nullopt) const {
    sink_.warning(warning, SourceLocation{name_, where.line, where.column}, std::move(message), std::move(fix));
  }
  // The same with the other places that take part in it, each shown as a note.
  void at(WarningName warning, TextPosition where, std::string message, std::vector<RelatedPlace> related) const {
    sink_.warning(warning, SourceLocation{name_, where.line, where.column}, std::move(message), std::nullopt,
                  std::move(related));
  }
  // Another place of this description that takes part in a warning.
  RelatedPlace related(TextPosition where, std::string message) const {
    return RelatedPlace{SourceLocation{name_, where.line, where.column}, std::move(message)};
  }
  // A mend of the bytes from `from` up to `end_column` on its line.
  Fix fix(TextPosition from, int end_column, std::string replacement) const {
    return Fix{SourceLocation{name_, from.line, from.column}, end_column, std::move(replacement)};
  }

  // A UTF-8 byte-order mark, or the first UTF-8 multi-byte sequence: the
  // descriptions are single-byte Windows-1252 texts.
  void encoding(std::string_view bytes) const;

  // A keyword field that names no record: a typo such as "pendeza" is
  // passed over. Fields without a letter, section markers and comments are
  // not keywords.
  // The nearest of `spellings` to a word of the field, when one is near
  // enough, is suggested with a fix.
  void unknown_keyword(std::string_view field, TextPosition where, const char* description,
                       std::span<const std::string_view> spellings) const;

  // A section heading ("[segnale]") that holds the keyword of `what`: it is
  // read as that record. `heading` is the section's right heading.
  void heading_names_record(std::string_view field, TextPosition where, const char* what, const char* heading) const;

  // A third comment field in a row that names a record: it is read as data.
  void third_comment(TextPosition where) const;

  // The last field of the text holds a keyword: the file ends right after
  // it, so that record is never read.
  void last_record_unread(std::string_view field, TextPosition where) const;

  // A value kept with fewer bits than it was written with.
  void narrowed(const char* what, int64_t written, int64_t stored, int bits, TextPosition where) const;

  // A record's text longer than its file keeps: cut at kLongestRecordText.
  // Nothing when it fits.
  void text_cut(std::string_view text, TextPosition where) const;
  // A record placed in the margin after the route's end (`length`).
  void past_route_end(const char* what, int32_t position, int32_t length, TextPosition where) const;

  // A speed limit that is not a whole number of 5 km/h steps.
  void speed_step(int32_t speed, TextPosition where) const;

  // A time of day whose hour, minutes or seconds run over into the next unit.
  void time_out_of_range(const char* what, int64_t hours, int64_t minutes, int64_t seconds, TextPosition where) const;

  // A record before the one read ahead of it, where the order matters.
  void out_of_order(const char* what, int32_t position, int32_t previous, TextPosition where) const;

 private:
  FaultSink& sink_;
  const std::string& name_;
};

// True when the field holds at least one ASCII letter.
bool has_letter(std::string_view field);

// The field without its trailing blanks, as a message shows it.
std::string_view without_trailing_blanks(std::string_view field);

}  // namespace scenpack
