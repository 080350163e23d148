// What the fields before a keyword field say about it. A description is
// read field by field, not line by line, so a field left on a record's line
// after its numbers, or one after a comment on the same line, is read as a
// keyword field: the author almost always meant otherwise.
#pragma once

#include <string_view>

#include "readers/field_reader.h"
#include "readers/warnings.h"

namespace scenpack {

class FieldSurroundings {
 public:
  // A comment field was read (and skipped) at `where`.
  void comment(TextPosition where) { comment_line_ = where.line; }
  // A record named `what` was read whole: `in` stands on its last field.
  // `ends_in_text`: its last field is a name (a station's, a board's text).
  void record_read(const FieldReader& in, const char* what, bool ends_in_text);
  // The last record was refused (its line was skipped) or none was read.
  void no_record() { record_ = Record{}; }

  // Warns about the keyword field `field` at `where` by what stands before
  // it on its line; true when it did (nothing else is said about the field).
  bool warn_about(const Warner& warn, std::string_view field, TextPosition where, bool names_record);

 private:
  struct Record {
    int line = 0;  // 0: no record ended on a line still being read
    int end_column = 0;
    std::string_view last_field;
    const char* what = "";
    bool ends_in_text = false;
  };
  void extra_fields(const Warner& warn, std::string_view field, TextPosition where) const;

  int comment_line_ = 0;
  Record record_;
};

}  // namespace scenpack
