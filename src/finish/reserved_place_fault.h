// The stop of a build whose reserved place was taken (1250, 1251), said
// with the record that wrote into cell 1, where the marker 5121 and the
// plain check code are kept.
#pragma once

#include "model/errors.h"
#include "model/fault_sink.h"
#include "model/tables.h"

namespace scenpack {

// Records `stop` (1250 or 1251, as store_check_codes returned it) in the
// sink. When a record of a description put the value found in cell 1 there,
// the fault stands at that record's place: "the text board lands in cell 1
// (0-49 m), where the marker 5121 is kept: nothing may stand in cell 1";
// otherwise it is the code's explanation, at no place.
void report_taken_reserved_place(const Tables& t, FaultCode stop, FaultSink& sink);

}  // namespace scenpack
