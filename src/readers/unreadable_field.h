// What the readers do with a field that cannot be read (code 25).
#pragma once

#include <string>

#include "model/fault_sink.h"
#include "readers/field_reader.h"
#include "readers/read_fault.h"

namespace scenpack {

// Gives a run-time fault of reading the place of the field being read when
// it has none (a fault raised while a record was applied): `fallback`.
void locate(ReadFault& fault, TextPosition fallback);

// Under check's policy: lists the fault as code 25 and moves the reading on
// with a note. When the record was short and its read took the next row's
// first field, the reading goes back to the start of that row, so that it
// is read whole; otherwise it goes on at the line after the field.
void skip_unreadable(FaultSink& sink, FieldReader& in, const std::string& name, const ReadFault& fault,
                     int record_line);

}  // namespace scenpack
