#include "readers/slowdowns.h"

#include <gtest/gtest.h>

#include "model/tables.h"
#include "readers/read_fault.h"
#include "readers/train_text_fixture.h"

namespace scenpack {
namespace {

using testing::sized_tables;

void expect_cell(const Tables& t, int index, uint8_t tipo, int16_t dato1, int16_t dato2, int16_t dato3) {
  const Cella& c = t.celle[static_cast<size_t>(index)];
  EXPECT_EQ(c.tipo, tipo) << "cell " << index;
  EXPECT_EQ(c.dato1, dato1) << "cell " << index;
  EXPECT_EQ(c.dato2, dato2) << "cell " << index;
  EXPECT_EQ(c.dato3, dato3) << "cell " << index;
}

TEST(MemoRallentamento, SlowOrderAt9300WithBoards) {
  Tables t = sized_tables();
  EXPECT_EQ(code_number(place_slow_order(t, {9300, 50, 200, 0, 1, 50})), 0);
  expect_cell(t, 187, kind::kSlowdownStart, 50, 50, 0);
  expect_cell(t, 191, kind::kSlowdownEnd, 50, 50, 0);
  expect_cell(t, 163, kind::kSlowdownWarning, 50, 50, 0);
  for (int j = 0; j < 4; ++j) {
    expect_cell(t, 162 - j, kind::kSlowdownBoard, static_cast<int16_t>(j + 1), static_cast<int16_t>(j + 1), 0);
  }
  expect_cell(t, 158, kind::kNothing, 0, 0, 0);
}

TEST(MemoRallentamento, WithoutFurtherValueNoDato2Anywhere) {
  Tables t = sized_tables();
  EXPECT_EQ(code_number(place_slow_order(t, {24300, 40, 400, 1, 1, 0})), 0);
  expect_cell(t, 487, kind::kSlowdownStart, 40, 0, 1);
  expect_cell(t, 495, kind::kSlowdownEnd, 40, 0, 1);
  expect_cell(t, 463, kind::kSlowdownWarning, 40, 0, 0);
  for (int j = 0; j < 4; ++j) expect_cell(t, 462 - j, kind::kSlowdownBoard, static_cast<int16_t>(j + 1), 0, 0);
}

TEST(MemoRallentamento, WarningAndBoardsOnlyBeyond1500) {
  struct Case {
    int32_t x;
    int32_t f_ta;
    bool warning;
    bool boards;
  } cases[] = {
      {1500, 1, false, false},
      {1501, 1, true, true},
      {3000, 0, true, false},
  };
  for (const Case& c : cases) {
    Tables t = sized_tables();
    EXPECT_EQ(code_number(place_slow_order(t, {c.x, 60, 200, 0, c.f_ta, 0})), 0);
    int kinds[16] = {};
    for (const Cella& cell : t.celle) ++kinds[cell.tipo];
    EXPECT_EQ(kinds[kind::kSlowdownStart], 1) << c.x;
    EXPECT_EQ(kinds[kind::kSlowdownEnd], 1) << c.x;
    EXPECT_EQ(kinds[kind::kSlowdownWarning], c.warning ? 1 : 0) << c.x;
    EXPECT_EQ(kinds[kind::kSlowdownBoard], c.boards ? 4 : 0) << c.x;
  }
}

TEST(MemoRallentamento, ShortRestrictionEndsAsStart) {
  Tables t = sized_tables();
  EXPECT_EQ(code_number(place_slow_order(t, {9300, 50, 20, 0, 0, 0})), 0);
  expect_cell(t, 187, kind::kSlowdownStart, 50, 0, 0);
}

TEST(MemoRallentamento, OccupiedCellsGiveTheirCodes) {
  struct Case {
    int occupied_cell;
    int32_t code;
    bool marks_stay;  // start, end and warning already written
  } cases[] = {
      {163, 17, false}, {187, 18, false}, {191, 19, false}, {162, 20, true}, {159, 20, true},
  };
  for (const Case& c : cases) {
    Tables t = sized_tables();
    t.celle[static_cast<size_t>(c.occupied_cell)].tipo = kind::kSignal;
    EXPECT_EQ(code_number(place_slow_order(t, {9300, 50, 200, 0, 1, 50})), c.code) << c.occupied_cell;
    struct Mark {
      int cell;
      uint8_t tipo;
    } marks[] = {{163, kind::kSlowdownWarning}, {187, kind::kSlowdownStart}, {191, kind::kSlowdownEnd},
                 {160, kind::kSlowdownBoard}};
    for (const Mark& m : marks) {
      uint8_t want = kind::kNothing;
      if (m.cell == c.occupied_cell) {
        want = kind::kSignal;
      } else if (c.marks_stay && m.tipo != kind::kSlowdownBoard) {
        want = m.tipo;
      }
      EXPECT_EQ(t.celle[static_cast<size_t>(m.cell)].tipo, want) << c.occupied_cell << " cell " << m.cell;
    }
  }
}

TEST(MemoRallentamento, EndOutsideTheTrackIsAReadFault) {
  Tables t = sized_tables();
  EXPECT_THROW(place_slow_order(t, {9300, 50, 2000000, 0, 1, 50}), ReadFault);
  EXPECT_THROW(place_slow_order(t, {-500, 50, 200, 0, 0, 0}), ReadFault);
}

TEST(PlaceCodeCut, ValueGivesCodePointAndZeroGivesNoCode) {
  Tables t = sized_tables();
  EXPECT_EQ(code_number(place_code_cut(t, 109500, 0)), 0);
  EXPECT_EQ(t.celle[2190].tipo, kind::kNoCode);
  EXPECT_EQ(t.celle[2190].dato1, 0);
  EXPECT_EQ(code_number(place_code_cut(t, 5300, 270)), 0);
  EXPECT_EQ(t.celle[106].tipo, kind::kCodePoint);
  EXPECT_EQ(t.celle[106].dato1, 270);
  EXPECT_EQ(code_number(place_code_cut(t, 5400, 70000)), 0);
  EXPECT_EQ(t.celle[108].dato1, static_cast<int16_t>(70000 - 65536));
}

}  // namespace
}  // namespace scenpack
