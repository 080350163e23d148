// The train half of reading: the train description into the tables.
#pragma once

#include <cstdint>

#include "model/file_names.h"
#include "model/status.h"
#include "model/tables.h"

namespace scenpack {

// Reads the train description `files.train_text()` into the tables, after
// the line half has sized celle, and deletes it.
//
// Fields before the first one containing "[generale]" are passed over; the
// very last field of the text is never examined. Data faults are recorded in
// t.errore with the train text's name and the line of the record:
//  - at the end of the text, and after a position beyond the track (15), the
//    text is removed, the speed limit and adhesion are filled to the end of
//    the track and the chainage records are checked (code 2, which may
//    replace a 15);
//  - after any other fault (7, 8, 9, 10, 16 to 20, 22, 24) the text is
//    removed and nothing more is done.
// A fault already standing in t.errore (the line half's 15) does not stop
// the reading; it stays unless this reading records one of its own.
//
// `board_record` is the next free text-board record left by the line half
// (80 when the line had no text boards): station records must stay below it.
//
// A run-time fault (a missing or unreadable text, a field that is not a
// number or does not fit its width, a read past the end, a cell outside
// celle) throws ReadFault and leaves the text in place: the caller's one
// handler removes both texts and records code 25. The returned status is
// not ok only when the text cannot be removed.
Status read_train_description(Tables& t, const ScenarioFiles& files, int32_t board_record);

}  // namespace scenpack
