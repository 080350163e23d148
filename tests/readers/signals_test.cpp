#include "readers/signals.h"

#include <gtest/gtest.h>

#include "model/tables.h"
#include "readers/read_fault.h"
#include "readers/train_text_fixture.h"

namespace scenpack {
namespace {

using testing::sized_tables;

TEST(PlaceSignal, SignalAt20500MarksItsCellAndFourLookBackCells) {
  Tables t = sized_tables();
  SignalRow row{20500, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0};
  EXPECT_EQ(code_number(place_signal(t, row)), 0);
  const Cella& c = t.celle[411];
  EXPECT_EQ(c.tipo, kind::kSignal);
  EXPECT_EQ(c.dato1, 41);
  EXPECT_EQ(c.dato2, 0);
  EXPECT_EQ(c.dato3, 0);
  EXPECT_EQ(c.dato4, 8);
  EXPECT_EQ(c.tempo, 0);
  EXPECT_EQ(t.celle[409].avviso, 81);
  EXPECT_EQ(t.celle[407].avviso, 82);
  EXPECT_EQ(t.celle[405].avviso, 83);
  EXPECT_EQ(t.celle[403].avviso, 84);
  EXPECT_EQ(t.celle[410].avviso, 0);
  EXPECT_EQ(t.celle[409].tipo, kind::kNothing);  // look-back cells keep their kind
}

TEST(PlaceSignal, TempoIsRaisedToTheLeastAndKeptOnlyForLeftGroupTwo) {
  struct Case {
    int32_t sx;
    int32_t tempo;
    uint8_t stored;
    int32_t tempo_after;
  } cases[] = {
      {2, 254, 254, 254}, {2, 50, 101, 101}, {1, 50, 0, 101}, {2, 1, 101, 101}, {2, 100, 101, 101},
      {2, 0, 0, 0},       {2, 101, 101, 101}, {2, -5, 251, -5},  {2, 300, 44, 300},
  };
  for (const Case& c : cases) {
    Tables t = sized_tables();
    SignalRow row{197800, c.sx, 3, 1, 1, 0, 2, 2, 1, 1, c.tempo};
    EXPECT_EQ(code_number(place_signal(t, row)), 0);
    EXPECT_EQ(t.celle[3957].tempo, c.stored) << "sx " << c.sx << " tempo " << c.tempo;
    EXPECT_EQ(row.tempo, c.tempo_after) << "sx " << c.sx << " tempo " << c.tempo;
  }
}

TEST(PlaceSignal, PackedValuesKeepTheirLowBits) {
  Tables t = sized_tables();
  SignalRow row{1000, 30, 4000, 0, 0, 1, 2, 0, 0, 0, 0};
  EXPECT_EQ(code_number(place_signal(t, row)), 0);
  const Cella& c = t.celle[21];
  EXPECT_EQ(c.dato1, static_cast<int16_t>(40000 - 65536));
  EXPECT_EQ(c.dato4, 10 + 90 + 2);
  EXPECT_EQ(t.celle[19].avviso, static_cast<uint8_t>((92 * 10 + 1) & 0xFF));
}

TEST(PlaceSignal, LookBackCellsBeforeCellZeroAreNotWritten) {
  Tables t = sized_tables();
  SignalRow row{150, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0};  // cell 4: look-back cells 2, 0, -2, -4
  EXPECT_EQ(code_number(place_signal(t, row)), 0);
  EXPECT_EQ(t.celle[4].tipo, kind::kSignal);
  EXPECT_EQ(t.celle[2].avviso, 81);
  EXPECT_EQ(t.celle[0].avviso, 82);
}

TEST(PlaceSignal, CellNumberRoundsTheWholeExpressionHalfToEven) {
  Tables t = sized_tables();
  SignalRow row{25, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0};  // 25 / 50 + 1 = 1.5 -> 2
  EXPECT_EQ(code_number(place_signal(t, row)), 0);
  EXPECT_EQ(t.celle[2].tipo, kind::kSignal);
  SignalRow next{125, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0};  // 3.5 -> 4
  EXPECT_EQ(code_number(place_signal(t, next)), 0);
  EXPECT_EQ(t.celle[4].tipo, kind::kSignal);
}

TEST(PlaceSignal, PositionThatNamesNoCellIsAReadFault) {
  Tables t = sized_tables();
  SignalRow row{-1000, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0};
  EXPECT_THROW(place_signal(t, row), ReadFault);
}

}  // namespace
}  // namespace scenpack
