#include "readers/chainage_records.h"

#include <array>
#include <cstdint>
#include <utility>

#include "readers/checked_conversion.h"

namespace scenpack {
namespace {

struct Chainage {
  int32_t start = 0;
  int32_t difference = 0;
  int32_t flag = 0;
};

// Slot 0 is "tre" (record 81), 1 "due" (82), 2 "uno" (83). A higher slot was
// read under a smaller number word, which wins a tie for the second place.
constexpr std::array<int, 3> kRecords = {kChainageTre, kChainageDue, kChainageUno};
using Slots = std::array<Chainage, 3>;

Slots order_by_start(const Slots& old) {
  for (int top = 0; top < 3; ++top) {
    const int a = (top + 1) % 3;
    const int b = (top + 2) % 3;
    if (old[top].start <= old[a].start || old[top].start <= old[b].start) continue;
    int second = 0;
    if (old[a].start != old[b].start) {
      second = old[a].start > old[b].start ? a : b;
    } else {
      second = a > b ? a : b;  // the smaller number word goes first
    }
    const int third = second == a ? b : a;
    return Slots{old[top], old[second], old[third]};
  }
  return Slots{};  // no strictly greatest start
}

Slots order_by_difference(const Slots& old) {
  Slots next = old;
  if (old[2].difference > 0) {
    std::swap(next[2], next[0]);
  } else if (old[1].difference > 0) {
    std::swap(next[1], next[0]);
  } else if (old[0].difference <= 0) {
    next = Slots{};
  }
  return next;
}

}  // namespace

void sort_chainage_records(Tables& t) {
  Slots old;
  for (int s = 0; s < 3; ++s) {
    const ChainageRecord r{t.schede[kRecords[s]]};
    old[s] = Chainage{r.start(), r.difference(), r.flag()};
  }
  // sT + sD + sU in Long arithmetic, left to right.
  const int32_t two = long_or_fault(static_cast<double>(old[0].start) + old[1].start);
  const int32_t start_sum = long_or_fault(static_cast<double>(two) + old[2].start);
  Slots next = start_sum != 0 ? order_by_start(old) : order_by_difference(old);
  for (Chainage& c : next) {
    if (c.flag == 1) c.difference = long_or_fault(static_cast<double>(c.difference) + 100);
  }
  for (int s = 0; s < 3; ++s) {
    const ChainageRecord r{t.schede[kRecords[s]]};
    r.start() = next[s].start;
    r.difference() = next[s].difference;
    r.flag() = next[s].flag;
  }
}

}  // namespace scenpack
