// Ordering of the three chainage records of the line description.
#pragma once

#include "model/record_roles.h"
#include "model/tables.h"

namespace scenpack {

// Record slots of the chainage records, named after the number word under
// which each is read: "tre" in 81, "due" in 82, "uno" in 83.
constexpr int kChainageTre = kFirstChainageRecord;
constexpr int kChainageDue = kFirstChainageRecord + 1;
constexpr int kChainageUno = kFirstChainageRecord + 2;

// Reorders the three chainage records in place (start, difference, flag).
// With starts whose sum is not 0 the records are ordered by start,
// largest in 81; a tie for the largest clears all three. With starts summing
// to 0 the first record ("uno", "due", "tre") with a positive difference is
// exchanged into 81, and none clears all three. Then every record whose flag
// is 1 gets 100 added to its difference.
void sort_chainage_records(Tables& t);

}  // namespace scenpack
