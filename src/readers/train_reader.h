// The train half of reading: the train description into the tables.
#pragma once

#include <cstdint>

#include "model/fault_sink.h"
#include "model/tables.h"
#include "readers/description.h"

namespace scenpack {

// Reads the train description into the tables, after the line half has
// sized celle. The build deletes it afterwards on every path that returns.
//
// Fields before the first one containing "[generale]" are passed over; the
// very last field of the text is never examined. Faults go to `sink` with
// the description's name and the line and column of the offending field.
// Under the build's policy:
//  - at the end of the text, and after a position beyond the track (15), the
//    speed limit and adhesion are filled to the end of the track and the
//    chainage records are checked (code 2, which may replace a 15);
//  - after any other fault (7, 8, 9, 10, 16 to 20, 22, 24) nothing more is
//    done.
// Under check's policy a refused record is skipped (nothing of it stored),
// an unreadable field is listed and the reading goes on at the next line,
// and the end-of-file fill and the chainage check always run.
// A fault already standing in the error state (the line half's 15) does not
// stop the reading; it stays unless this reading records one of its own.
//
// `board_record` is the next free text-board record left by the line half
// (80 when the line had no text boards): station records must stay below it.
//
// A run-time fault under the build's policy (a missing or unreadable text,
// a field that is not a number or does not fit its width, a read past the
// end, a cell outside celle) throws ReadFault: the caller records code 25
// and the build deletes both texts.
void read_train_description(Tables& t, const DescriptionText& train, int32_t board_record, FaultSink& sink);

}  // namespace scenpack
