// The general section of the line description: the rows after the
// "[generale]" marker up to the marker of the next section.
#pragma once

#include <cstdint>
#include <string_view>

#include "model/errors.h"
#include "model/tables.h"
#include "readers/field_reader.h"

namespace scenpack {

// A data fault of the general section: code 1 (route too long), 3 or 4
// (signal-repetition start or end not a multiple of 50), 5 (neither 4 nor 9
// codes), with the line and column of the offending field; kNone when none.
struct GeneralFault {
  FaultCode code = FaultCode::kNone;
  int line = 0;
  int column = 0;
};

// Applies one keyword field of the general section: reads the numbers its
// keywords call for into the record table and sizes the tables from the
// route length. Every keyword test is applied, in the fixed order, so one
// field may satisfy several. A refused signal-repetition row (3, 4, 5)
// leaves record 86 as it found it when `undo_refused`. Throws ReadFault on
// an unreadable number and on a route length that leaves no table
// (L + 7000 below 0).
GeneralFault apply_general_field(Tables& t, std::string_view riga, FieldReader& in, bool undo_refused);

// True for the field that ends the general section: it holds "[" and "]"
// and does not start (after blanks) with "-".
bool is_section_marker(std::string_view riga);

// Fields that count as comments in the descriptions: they contain "-".
inline bool is_comment(std::string_view field) { return field.find('-') != std::string_view::npos; }

// How many comment fields in a row the general section skips before a row.
constexpr int kGeneralCommentSkips = 10;

}  // namespace scenpack
