#include "readers/warnings.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

#include "base/edit_distance.h"
#include "base/utf8.h"
#include "model/tables.h"
#include "model/numeric.h"
#include "readers/general_data.h"

namespace scenpack {

bool has_letter(std::string_view field) {
  for (char c : field) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return true;
  }
  return false;
}

std::string_view without_trailing_blanks(std::string_view field) {
  const size_t end = field.find_last_not_of(" \t");
  return field.substr(0, end == std::string_view::npos ? 0 : end + 1);
}

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The first byte at or after `from` that is not ASCII (bytes.size() when
// there is none), looked for eight bytes at a time.
size_t first_non_ascii(std::string_view bytes, size_t from) {
  constexpr uint64_t kHighBits = 0x8080808080808080u;
  size_t i = from;
  for (; bytes.size() - i >= sizeof(uint64_t); i += sizeof(uint64_t)) {
    uint64_t word = 0;
    std::memcpy(&word, bytes.data() + i, sizeof word);
    if ((word & kHighBits) != 0) break;
  }
  while (i < bytes.size() && static_cast<unsigned char>(bytes[i]) < 0x80) ++i;
  return i;
}

// The line and column of a byte: a line ends at LF or at a CR not
// followed by LF.
TextPosition position_of(std::string_view bytes, size_t at) {
  int line = 1;
  size_t line_start = 0;
  for (size_t i = 0; i < at; ++i) {
    const char c = bytes[i];
    if (c == '\n' || (c == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n'))) {
      ++line;
      line_start = i + 1;
    }
  }
  return {line, static_cast<int>(at - line_start) + 1};
}

}  // namespace

void Warner::encoding(std::string_view bytes) const {
  const bool marked = bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark;
  if (marked) at(WarningName::kEncoding, {1, 1}, "UTF-8 byte-order mark: the descriptions are single-byte Windows-1252 texts");
  for (size_t i = first_non_ascii(bytes, marked ? kByteOrderMark.size() : 0); i < bytes.size();
       i = first_non_ascii(bytes, i + 1)) {
    const size_t length = utf8_sequence(bytes, i);
    if (length == 0) continue;
    at(WarningName::kEncoding, position_of(bytes, i),
       "UTF-8 text: the descriptions are single-byte Windows-1252, so \"" + std::string(bytes.substr(i, length)) +
           "\" reads as " + std::to_string(length) + " characters");
    return;  // once per description
  }
}

namespace {

bool is_word_byte(char c) { return has_letter(std::string_view(&c, 1)) || c == '_'; }

struct Suggestion {
  std::string_view spelling;
  size_t word_start = 0;
  size_t word_size = 0;
};

// The spelling nearest to a word of the field: at most one edit from a
// word of up to five letters, two from a longer one.
std::optional<Suggestion> nearest_spelling(std::string_view field, std::span<const std::string_view> spellings) {
  constexpr size_t kShortWord = 5;
  constexpr size_t kShortestWord = 4;
  std::optional<Suggestion> best;
  size_t best_distance = 3;
  for (size_t i = 0; i < field.size();) {
    if (!is_word_byte(field[i])) {
      ++i;
      continue;
    }
    size_t end = i;
    while (end < field.size() && is_word_byte(field[end])) ++end;
    const std::string_view word = field.substr(i, end - i);
    for (std::string_view spelling : spellings) {
      if (word.size() < kShortestWord) break;
      const size_t d = edit_distance(word, spelling);
      const size_t allowed = word.size() <= kShortWord ? 1 : 2;
      if (d > 0 && d <= allowed && d < best_distance) {
        best_distance = d;
        best = Suggestion{spelling, i, word.size()};
      }
    }
    i = end;
  }
  return best;
}

}  // namespace

void Warner::unknown_keyword(std::string_view field, TextPosition where, const char* description,
                             std::span<const std::string_view> spellings) const {
  if (!has_letter(field) || is_comment(field)) return;
  const size_t open = field.find('[');
  if (open != std::string_view::npos && field.find(']', open) != std::string_view::npos) return;
  // Appended piece by piece, which also spares GCC 12 a false -Wrestrict at -O3.
  std::string message = "\"";
  message.append(without_trailing_blanks(field));
  message += "\" names no record of the ";
  message += description;
  message += "; the field is passed over";
  std::optional<Fix> mend;
  if (const std::optional<Suggestion> s = nearest_spelling(field, spellings)) {
    message += " (did you mean \"";
    message.append(s->spelling);
    message += "\"?)";
    const TextPosition from{where.line, where.column + static_cast<int>(s->word_start)};
    mend = fix(from, from.column + static_cast<int>(s->word_size), std::string(s->spelling));
  }
  at(WarningName::kUnknownKeyword, where, std::move(message), std::move(mend));
}

void Warner::heading_names_record(std::string_view field, TextPosition where, const char* what,
                                  const char* heading) const {
  const std::string_view shown = without_trailing_blanks(field);
  if (shown.size() < 2 || shown.front() != '[' || shown.back() != ']') return;
  at(WarningName::kHeadingNamesRecord, where,
     "the heading \"" + std::string(shown) + "\" is read as " + what + ", taking the fields after it as its "
     "numbers: the section's heading is \"" + heading + "\"",
     fix(where, where.column + static_cast<int>(shown.size()), heading));
}

void Warner::third_comment(TextPosition where) const {
  at(WarningName::kThirdComment, where, "a third comment field in a row is read as data: this record is not commented out");
}

void Warner::last_record_unread(std::string_view field, TextPosition where) const {
  at(WarningName::kUnreadLastRecord, where, "the file ends right after \"" + std::string(without_trailing_blanks(field)) +
                "\": the last field of a description is never read (end it with a closing line)");
}

void Warner::narrowed(const char* what, int64_t written, int64_t stored, int bits, TextPosition where) const {
  at(WarningName::kNarrowedValue, where, std::string(what) + " " + std::to_string(written) + " is stored as " + std::to_string(stored) +
                " (its low " + std::to_string(bits) + " bits)");
}

void Warner::text_cut(std::string_view text, TextPosition where) const {
  if (text.size() <= kLongestRecordText) return;
  // A text kept with fewer bytes than written is a narrowed value too.
  at(WarningName::kNarrowedValue, where, "the text of " + std::to_string(text.size()) + " bytes is cut to its first " +
                std::to_string(kLongestRecordText) + " in the record table");
}

void Warner::out_of_order(const char* what, int32_t position, int32_t previous, TextPosition where) const {
  at(WarningName::kOutOfOrder, where, std::string(what) + " at " + std::to_string(position) + " comes after the one at " +
                std::to_string(previous) + ": out of order, it does not apply as written");
}

void Warner::past_route_end(const char* what, int32_t position, int32_t length, TextPosition where) const {
  if (position <= length) return;
  at(WarningName::kPastRouteEnd, where, std::string(what) + " at " + std::to_string(position) +
                                            " lies past the route's end (" + std::to_string(length) +
                                            " m), in the margin after it");
}

void Warner::speed_step(int32_t speed, TextPosition where) const {
  constexpr int32_t kStep = 5;
  if (speed % kStep == 0) return;
  const int64_t stored = static_cast<int64_t>(round_half_even(static_cast<double>(speed) / kStep)) * kStep;
  at(WarningName::kSpeedStep, where, "the speed " + std::to_string(speed) + " km/h is stored as " + std::to_string(stored) +
                                         " km/h (speed limits are kept in steps of 5 km/h)");
}

void Warner::time_out_of_range(const char* what, int64_t hours, int64_t minutes, int64_t seconds,
                               TextPosition where) const {
  constexpr int64_t kHoursPerDay = 24;
  constexpr int64_t kSixty = 60;
  const auto in_range = [](int64_t v, int64_t limit) { return v >= 0 && v < limit; };
  if (in_range(hours, kHoursPerDay) && in_range(minutes, kSixty) && in_range(seconds, kSixty)) return;
  const int64_t total = (hours * kSixty + minutes) * kSixty + seconds;
  std::string shown = "a time before midnight";
  if (total >= 0) {
    const auto two = [](int64_t v) { return std::string(v < 10 ? "0" : "").append(std::to_string(v)); };
    shown = two(total / 3600) + ":" + two(total / kSixty % kSixty) + ":" + two(total % kSixty);
  }
  at(WarningName::kTimeOutOfRange, where, std::string(what) + " " + std::to_string(hours) + ", " + std::to_string(minutes) +
                                              ", " + std::to_string(seconds) + " becomes " + shown +
                                              " (hours 0 to 23, minutes and seconds 0 to 59)");
}

}  // namespace scenpack
