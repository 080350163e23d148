// The three documents for the driver, held in the program as line tables.
// Each table ends with the end-marker entry "riferimento fine del file".
#pragma once

#include <string>
#include <vector>

namespace scenpack {

const std::vector<std::string>& train_sheet_lines();    // train sheet (dati_scheda)
const std::vector<std::string>& slow_order_form_lines();   // slow-order form (dati_rallentamenti)
const std::vector<std::string>& notes_lines();            // notes (dati_note)

}  // namespace scenpack
