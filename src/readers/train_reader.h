// The train half of reading: the train description into the tables.
#pragma once

#include <cstdint>

#include "driver/file_names.h"
#include "driver/status.h"
#include "driver/tables.h"

namespace scenpack {

// Reads the train description `files.train_text()` and deletes it.
// `board_record` is the next free text-board record left by the line half
// (80 when the line had no text boards): station records must stay below it.
// May throw ReadFault (the caller's run-time handler records code 25).
Status read_train_description(Tables& t, const ScenarioFiles& files, int32_t board_record);

}  // namespace scenpack
