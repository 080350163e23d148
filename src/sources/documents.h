// The three documents for the driver, held in the program as line tables.
// Each table ends with the end-marker entry "riferimento fine del file".
#pragma once

#include <string>
#include <vector>

namespace scenpack {

const std::vector<std::string>& scheda_treno_lines();    // train sheet (dati_scheda)
const std::vector<std::string>& rallentamenti_lines();   // slow-order form (dati_rallentamenti)
const std::vector<std::string>& note_lines();            // notes (dati_note)

}  // namespace scenpack
