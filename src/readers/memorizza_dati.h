// Reading the two scenario descriptions into the tables: the line
// description first, then the train description. Each working text is
// deleted once it has been read (or has failed).
#pragma once

#include "model/file_names.h"
#include "model/status.h"
#include "model/tables.h"

namespace scenpack {

// Data faults are recorded in t.errore; the returned status is not ok only
// when a file operation of the system failed (a working text that cannot be
// deleted, for example).
Status memorizza_dati(Tables& t, const ScenarioFiles& files);

}  // namespace scenpack
