#include "readers/unread_records.h"

#include <gtest/gtest.h>

#include <string>

namespace scenpack {
namespace {

TEST(RecordsBelow, CountsTheRecordsAfterTheLineByKindInTheCatalogueOrder) {
  const std::string train =
      "treno\r\n"                                                          // 1
      "[generale]\r\n"                                                     // 2
      "segnale,  3550, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0\r\n"                   // 3
      "segnale,  3650, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0\r\n"                   // 4
      "-segnale, 3750, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0\r\n"                   // 5: commented out
      "rallentamento, 2500, 50, 200, 0, 0, 0\r\n"                          // 6
      "[rallentamenti]\r\n"                                                // 7
      "Rallentamento, 9500, 50, 200, 0, 0, 0\r\n"                          // 8
      "stazione, 4500, 4, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, ROMA\r\n"    // 9
      "a note\r\n"                                                         // 10
      "[fine]\r\n";
  const struct {
    int line;
    const char* want;
    bool several;
  } cases[] = {
      {0, "1 station, 2 signals and 2 slow orders", true},
      {3, "1 station, 1 signal and 2 slow orders", true},
      {6, "1 station and 1 slow order", true},
      {8, "1 station", false},
      {9, "", false},
      {100, "", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    bool several = !c.several;
    EXPECT_EQ(records_below(train, c.line, DescriptionKind::kTrain, &several), c.want);
    EXPECT_EQ(several, c.several);
  }
}

// Lines end at LF, CR LF or a lone CR; every curve keyword counts as a
// curve, the side written or not; the general section's records together.
TEST(RecordsBelow, LineDescriptionWithEveryLineEnd) {
  const std::string line =
      "[generale]\nlunghezza percorso, 1000\rsfondo uno, 1\r\n[curve]\ncurvad3, 100, 200\ncurva destra 3, 300, 400\r"
      "montagna, 10, 20, 1\n";
  EXPECT_EQ(records_below(line, 1, DescriptionKind::kLine), "2 general records, 2 curves and 1 tunnel");
  EXPECT_EQ(records_below(line, 3, DescriptionKind::kLine), "2 curves and 1 tunnel");
  EXPECT_EQ(records_below("", 0, DescriptionKind::kLine), "");
}

}  // namespace
}  // namespace scenpack
