// The three documents for the driver, held in the program as line tables.
// Each table ends with the end-marker entry "riferimento fine del file".
#pragma once

#include <string>
#include <vector>

namespace scenpack {

const std::vector<std::string>& train_sheet_lines();
const std::vector<std::string>& slow_order_form_lines();
const std::vector<std::string>& notes_lines();

}  // namespace scenpack
