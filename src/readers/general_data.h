// The general section of the line description: the rows after the
// "[generale]" marker up to the marker of the next section.
#pragma once

#include <cstdint>
#include <string>

#include "model/tables.h"
#include "readers/field_reader.h"

namespace scenpack {

// A data fault of the general section: code 1 (route too long), 3 or 4
// (signal-repetition start or end not a multiple of 50), 5 (neither 4 nor 9
// codes), with the line of its keyword field; code 0 when none.
struct GeneralFault {
  int32_t code = 0;
  int line = 0;
};

// Applies one keyword field of the general section: reads the numbers its
// keywords call for into the record table and sizes the tables from the
// route length. Every keyword test is applied, in the fixed order, so one
// field may satisfy several. Throws ReadFault on an unreadable number and on
// a route length that leaves no table (L + 7000 below 0).
int32_t apply_general_field(Tables& t, const std::string& riga, FieldReader& in);

// Reads the general section, starting just after the "[generale]" marker.
// Each pass reads a field (leaving at the end of the file, so the last field
// is never applied), skips up to ten comment fields (fields containing "-";
// there is no end-of-file test between those reads), applies the field and
// leaves when it is a section marker ("[" and "]", not starting with "-").
GeneralFault read_general_section(Tables& t, FieldReader& in);

}  // namespace scenpack
