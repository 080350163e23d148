// Ordering of the three chainage records of the line description.
#pragma once

#include "model/tables.h"

namespace scenpack {

// Record slots of the chainage records, named after the number word under
// which each is read: "tre" in 81, "due" in 82, "uno" in 83.
constexpr int kChainageTre = 81;
constexpr int kChainageDue = 82;
constexpr int kChainageUno = 83;

// Reorders schede(81..83) in place (start lungo1, difference lungo2, flag
// lungo3). With starts whose sum is not 0 the records are ordered by start,
// largest in 81; a tie for the largest clears all three. With starts summing
// to 0 the first record ("uno", "due", "tre") with a positive difference is
// exchanged into 81, and none clears all three. Then every record whose flag
// is 1 gets 100 added to its difference.
void sort_chainage_records(Tables& t);

}  // namespace scenpack
