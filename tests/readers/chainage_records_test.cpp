#include "readers/chainage_records.h"

#include <gtest/gtest.h>

#include <array>

#include "readers/read_fault.h"

namespace scenpack {
namespace {

// start, difference, flag of one chainage record.
using Triple = std::array<int32_t, 3>;

struct Case {
  const char* name;
  Triple tre, due, uno;            // as read: records 81, 82, 83
  Triple want81, want82, want83;   // after ordering
};

const Case kCases[] = {
    {"working line: uno, due, tre from farthest to nearest",
     {190600, 28600, 0}, {206200, -6550, 0}, {263600, 46500, 0},
     {263600, 46500, 0}, {206200, -6550, 0}, {190600, 28600, 0}},
    {"already in order", {300, 1, 0}, {200, 2, 0}, {100, 3, 0},
     {300, 1, 0}, {200, 2, 0}, {100, 3, 0}},
    {"tie for the greatest start clears all", {100, 1, 1}, {100, 2, 1}, {50, 3, 1},
     {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
    {"tie for second: uno before tre", {50, 1, 0}, {300, 2, 0}, {50, 3, 0},
     {300, 2, 0}, {50, 3, 0}, {50, 1, 0}},
    {"tie for second: due before tre", {50, 1, 0}, {50, 2, 0}, {300, 3, 0},
     {300, 3, 0}, {50, 2, 0}, {50, 1, 0}},
    {"tie for second: uno before due", {300, 1, 0}, {50, 2, 0}, {50, 3, 0},
     {300, 1, 0}, {50, 3, 0}, {50, 2, 0}},
    {"starts sum to 0, uno has a difference: uno and tre exchanged",
     {0, 0, 0}, {0, 0, 0}, {0, 5000, 0}, {0, 5000, 0}, {0, 0, 0}, {0, 0, 0}},
    {"starts sum to 0, due has a difference: due and tre exchanged",
     {0, 7, 0}, {0, 5000, 0}, {0, -3, 0}, {0, 5000, 0}, {0, 7, 0}, {0, -3, 0}},
    {"starts sum to 0, only tre has a difference: unchanged",
     {0, 5000, 1}, {0, 0, 0}, {0, -1, 0}, {0, 5100, 1}, {0, 0, 0}, {0, -1, 0}},
    {"starts sum to 0, no positive difference clears all",
     {0, 0, 1}, {0, -5, 1}, {0, 0, 1}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
    {"starts summing to 0 are not all 0", {100, 0, 0}, {-100, 0, 0}, {0, 9, 0},
     {0, 9, 0}, {-100, 0, 0}, {100, 0, 0}},
    {"flag 1 adds 100 to the difference after ordering",
     {100, -6550, 1}, {200, 0, 0}, {300, 46500, 1},
     {300, 46600, 1}, {200, 0, 0}, {100, -6450, 1}},
};

void put(Scheda& s, const Triple& v) {
  s.lungo1 = v[0];
  s.lungo2 = v[1];
  s.lungo3 = v[2];
}
Triple get(const Scheda& s) { return {s.lungo1, s.lungo2, s.lungo3}; }

TEST(SortChainageRecords, Cases) {
  for (const Case& c : kCases) {
    Tables t;
    put(t.schede[81], c.tre);
    put(t.schede[82], c.due);
    put(t.schede[83], c.uno);
    t.schede[81].testo = "kept";
    sort_chainage_records(t);
    EXPECT_EQ(get(t.schede[81]), c.want81) << c.name;
    EXPECT_EQ(get(t.schede[82]), c.want82) << c.name;
    EXPECT_EQ(get(t.schede[83]), c.want83) << c.name;
    EXPECT_EQ(t.schede[81].testo, "kept") << c.name;
  }
}

TEST(SortChainageRecords, StartSumBeyondALongIsAReadFault) {
  Tables t;
  put(t.schede[81], {2000000000, 0, 0});
  put(t.schede[82], {2000000000, 0, 0});
  EXPECT_THROW(sort_chainage_records(t), ReadFault);
}

}  // namespace
}  // namespace scenpack
