#include "readers/warnings.h"

#include <cstdint>
#include <cstring>
#include <utility>

#include "base/utf8.h"
#include "model/tables.h"
#include "readers/general_data.h"

namespace scenpack {

bool has_letter(std::string_view field) {
  for (char c : field) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return true;
  }
  return false;
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

void Warner::unknown_keyword(std::string_view field, TextPosition where, const char* description) const {
  if (!has_letter(field) || is_comment(field)) return;
  const size_t open = field.find('[');
  if (open != std::string_view::npos && field.find(']', open) != std::string_view::npos) return;
  size_t end = field.find_last_not_of(" \t");
  // Appended piece by piece, which also spares GCC 12 a false -Wrestrict at -O3.
  std::string message = "\"";
  message.append(field.substr(0, end == std::string_view::npos ? 0 : end + 1));
  message += "\" names no record of the ";
  message += description;
  message += "; the field is passed over";
  at(WarningName::kUnknownKeyword, where, std::move(message));
}

void Warner::third_comment(TextPosition where) const {
  at(WarningName::kThirdComment, where, "a third comment field in a row is read as data: this record is not commented out");
}

void Warner::last_record_unread(std::string_view field, TextPosition where) const {
  size_t end = field.find_last_not_of(" \t");
  at(WarningName::kUnreadLastRecord, where, "the file ends right after \"" + std::string(field.substr(0, end == std::string_view::npos ? 0 : end + 1)) +
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

}  // namespace scenpack
