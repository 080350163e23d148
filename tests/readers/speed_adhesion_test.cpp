#include "readers/speed_adhesion.h"

#include <gtest/gtest.h>

#include "model/tables.h"
#include "readers/read_fault.h"
#include "readers/train_text_fixture.h"

namespace scenpack {
namespace {

using testing::sized_tables;

TEST(SpeedLimit, EachLineAppliesFromItsPositionToTheNext) {
  Tables t = sized_tables();
  CellProfile speed;
  apply_speed_line(t, speed, 0, 30);
  EXPECT_EQ(speed.next_cell, 0);  // a line at 0 writes nothing yet
  apply_speed_line(t, speed, 650, 95);
  EXPECT_EQ(speed.next_cell, 13);
  apply_speed_line(t, speed, 4500, 87);
  fill_speed_to_end(t, speed);
  for (int i = 0; i <= 12; ++i) EXPECT_EQ(t.celle[static_cast<size_t>(i)].dato5, 6) << i;
  EXPECT_EQ(t.celle[13].dato5, 19);
  EXPECT_EQ(t.celle[89].dato5, 19);
  EXPECT_EQ(t.celle[90].dato5, 17);  // 87 / 5 = 17.4
  EXPECT_EQ(t.celle[5537].dato5, 17);
  EXPECT_EQ(t.celle[5538].dato5, 0);  // the fill stops below n_celle - 2
  EXPECT_EQ(t.celle[5540].dato5, 0);
}

TEST(SpeedLimit, CursorPastThePositionStillWritesOneCell) {
  Tables t = sized_tables();
  CellProfile speed;
  apply_speed_line(t, speed, 0, 30);
  apply_speed_line(t, speed, 1000, 60);
  apply_speed_line(t, speed, 500, 90);  // out of order: one cell with 60
  EXPECT_EQ(speed.next_cell, 21);
  EXPECT_EQ(t.celle[20].dato5, 12);
}

TEST(SpeedLimit, CellsBeforeAFirstLineNotAtZeroKeepZero) {
  Tables t = sized_tables();
  CellProfile speed;
  CellProfile adhesion;
  apply_speed_line(t, speed, 1000, 100);
  apply_adhesion_line(t, adhesion, 1000, 75);
  fill_speed_to_end(t, speed);
  fill_adhesion_to_end(t, adhesion);
  EXPECT_EQ(t.celle[19].dato5, 0);
  EXPECT_EQ(t.celle[19].dato7, 0);
  EXPECT_EQ(t.celle[20].dato5, 20);
  EXPECT_EQ(t.celle[20].dato7, 75);
}

TEST(SpeedLimit, FifthThatDoesNotFitAByteIsAReadFault) {
  struct Case {
    int32_t speed;
    bool fits;
    uint8_t stored;
  } cases[] = {
      {1277, true, 255}, {1278, false, 0}, {-2, true, 0}, {-3, false, 0}, {0, true, 0}, {12, true, 2}, {13, true, 3},
  };
  for (const Case& c : cases) {
    Tables t = sized_tables();
    CellProfile speed;
    apply_speed_line(t, speed, 0, c.speed);  // not written yet: no fault
    if (c.fits) {
      apply_speed_line(t, speed, 100, 30);
      EXPECT_EQ(t.celle[1].dato5, c.stored) << c.speed;
    } else {
      EXPECT_THROW(apply_speed_line(t, speed, 100, 30), ReadFault) << c.speed;
    }
  }
}

TEST(SpeedLimit, LoopStopsAtTheLastCellButAdhesionLeavingTheTrackFaults) {
  Tables t = sized_tables(0);  // n_celle 140
  CellProfile speed;
  speed.next_cell = 140;
  apply_speed_line(t, speed, 6900, 80);  // nothing left to write below n_celle
  EXPECT_EQ(speed.next_cell, 140);
  fill_speed_to_end(t, speed);  // still one cell, the last one
  EXPECT_EQ(t.celle[140].dato5, 16);

  CellProfile adhesion;
  adhesion.next_cell = 141;
  EXPECT_THROW(apply_adhesion_line(t, adhesion, 6900, 80), ReadFault);
  EXPECT_THROW(fill_adhesion_to_end(t, adhesion), ReadFault);
}

// A run stops where it faults: the cells before the fault are written, the
// cursor stays on the cell the fault names, and nothing after it is written.
TEST(SpeedLimit, RunThatFaultsMidwayKeepsWhatItWroteAndItsCursor) {
  Tables t = sized_tables(0);  // cells 0 .. 140
  CellProfile adhesion;
  adhesion.next_cell = 135;
  adhesion.running = 60;
  try {
    apply_adhesion_line(t, adhesion, 7500, 9);  // up to cell 149: past the last one
    ADD_FAILURE() << "no fault";
  } catch (const ReadFault& fault) {
    EXPECT_EQ(fault.what, "cell 141 lies outside the track cells");
  }
  EXPECT_EQ(adhesion.next_cell, 141);
  EXPECT_EQ(t.celle[134].dato7, 0);
  for (int k = 135; k <= 140; ++k) EXPECT_EQ(t.celle[k].dato7, 60) << k;

  CellProfile speed;
  speed.next_cell = 10;
  speed.running = 1300;
  speed.running_at = TextPosition{13, 12};
  try {
    apply_speed_line(t, speed, 1000, 80);
    ADD_FAILURE() << "no fault";
  } catch (const ReadFault& fault) {
    EXPECT_EQ(fault.what, "speed 1300 km/h does not fit its field (a byte of 5 km/h steps, 0 to 1275 km/h)");
    EXPECT_EQ(fault.line, 13);
    EXPECT_EQ(fault.column, 12);
  }
  EXPECT_EQ(speed.next_cell, 10);
  EXPECT_EQ(t.celle[10].dato5, 0);
}

TEST(Adhesion, StoresTheLowEightBitsUnscaled) {
  Tables t = sized_tables();
  CellProfile adhesion;
  apply_adhesion_line(t, adhesion, 0, 75);
  apply_adhesion_line(t, adhesion, 200, 300);
  apply_adhesion_line(t, adhesion, 400, -1);
  fill_adhesion_to_end(t, adhesion);
  EXPECT_EQ(t.celle[0].dato7, 75);
  EXPECT_EQ(t.celle[3].dato7, 75);
  EXPECT_EQ(t.celle[4].dato7, 44);
  EXPECT_EQ(t.celle[8].dato7, 255);
  EXPECT_EQ(t.celle[5537].dato7, 255);
}

}  // namespace
}  // namespace scenpack
