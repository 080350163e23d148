#include "readers/field_surroundings.h"

#include <string>

namespace scenpack {
namespace {

bool all_digits(std::string_view field) {
  if (!field.empty() && (field[0] == '-' || field[0] == '+')) field.remove_prefix(1);
  if (field.empty()) return false;
  for (char c : field) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

void FieldSurroundings::record_read(const FieldReader& in, const char* what, bool ends_in_text) {
  record_ = Record{in.field_line(), in.field_end_column(), in.last_field_bytes(), what, ends_in_text};
}

bool FieldSurroundings::warn_about(const Warner& warn, std::string_view field, TextPosition where,
                                   bool names_record) {
  const Record before = record_;
  record_ = Record{};  // warned once per line at most
  const std::string_view shown = without_trailing_blanks(field);
  if (where.line == comment_line_) {
    if (!names_record) return true;  // a word of a commented-out line
    warn.at(WarningName::kCommentedRecord, where,
            std::string("\"").append(shown) + "\" follows a comment on its line and is read as a record: a \"-\" comments "
            "out its own field only");
    return true;
  }
  if (names_record || shown.empty() || where.line != before.line) return false;
  record_ = before;
  extra_fields(warn, shown, where);
  record_ = Record{};
  return true;
}

void FieldSurroundings::extra_fields(const Warner& warn, std::string_view field, TextPosition where) const {
  const std::string what(record_.what);
  if (record_.ends_in_text) {
    warn.at(WarningName::kUnquotedComma, where,
            "the name of " + what + " ends at the comma before \"" + std::string(field) +
                "\", which is passed over: put a name with a comma in double quotes");
    return;
  }
  const std::string number(without_trailing_blanks(record_.last_field));
  const bool decimal_comma = where.column == record_.end_column + 1 && all_digits(field) && all_digits(number);
  if (decimal_comma) {
    warn.at(WarningName::kExtraFields, where,
            what + " reads \"" + number + "\" and passes over the \"" + std::string(field) +
                "\" after the comma: a decimal fraction is written with a dot (" + number + "." + std::string(field) +
                ")",
            warn.fix({where.line, record_.end_column}, record_.end_column + 1, "."));
    return;
  }
  warn.at(WarningName::kExtraFields, where,
          std::string("\"").append(field) + "\" is left on the line after the numbers of " + what +
              " and is passed over");
}

}  // namespace scenpack
