// What a reading that stopped at a fault leaves out: the records on the
// lines below, counted by the keyword that starts each line, without
// reading them into the tables.
#pragma once

#include <string>
#include <string_view>

#include "readers/record_catalogue.h"

namespace scenpack {

// "3 signals, 2 slow orders and 1 station": the records that start the
// lines of `text` after line `line` (1-based), by kind in the order of the
// catalogue; comment lines and headings are not counted. "" when there is
// none. `several` is set when the phrase counts more than one record.
std::string records_below(std::string_view text, int line, DescriptionKind kind, bool* several = nullptr);

}  // namespace scenpack
