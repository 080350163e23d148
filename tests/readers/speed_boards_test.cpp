#include "readers/speed_boards.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "description_fixture.h"

namespace scenpack {
namespace {

using testing::ends_in_read_fault;
using testing::read_line;
using testing::ScenarioDir;
using testing::short_route;

std::array<int, 5> board(const Cella& c) { return {c.tipo, c.dato1, c.dato2, c.dato3, c.dato4}; }

TEST(SpeedBoards, ValuesOfTheBoard) {
  struct Case {
    const char* row;
    int cell;
    std::array<int, 5> want;  // tipo, dato1..dato4
  } cases[] = {
      {"indicatori_vmax,  1050, 85, 90, 95, 0, 85, 90, 95, 0", 22, {6, 1717, 1818, 1919, 0}},
      {"indicatori_vmax,1050,140,155,160, 0,140,165,160, 0", 22, {6, 2828, 3133, 3232, 0}},
      {"indicatori_vmax,1050,115,120,130, 2,115,120,130, 2", 22, {6, 2323, 2424, 2626, 22}},
      // Speeds that are not multiples of 5: v / 5 rounded with the sum.
      {"indicatori_vmax,1050, 87, 1, 0, 0, 87, 3, 2, 0", 22, {6, 1757, 21, 0, 0}},
      // Stripe counts keep the low 16 bits of strisces * 10 + strisced.
      {"indicatori_vmax,1050, 0, 0, 0, 7000, 0, 0, 0, 3", 22, {6, 0, 0, 0, 4467}},
      // The cell is round(p / 50 + 1) as one expression: 1.5 -> 2, 2.5 -> 2.
      {"indicatori_vmax,25, 85, 90, 95, 0, 85, 90, 95, 0", 2, {6, 1717, 1818, 1919, 0}},
      {"indicatori_vmax,75, 85, 90, 95, 0, 85, 90, 95, 0", 2, {6, 1717, 1818, 1919, 0}},
  };
  for (const auto& c : cases) {
    testing::LineRun run = read_line(short_route(std::string(c.row) + "\n"));
    EXPECT_EQ(run.t.error_state.codice_errore, 0) << c.row;
    EXPECT_EQ(board(run.t.celle.at(static_cast<size_t>(c.cell))), c.want) << c.row;
  }
}

TEST(SpeedBoards, BoardReplacesATunnelMarker) {
  testing::LineRun run = read_line(short_route(
      "montagna, 0, 1000, 11\n"  // marker on cell 3
      "indicatori_vmax, 100, 85, 90, 95, 0, 85, 90, 95, 0\n"));
  EXPECT_EQ(run.t.error_state.codice_errore, 0);
  EXPECT_EQ(run.t.celle[3].tipo, kind::kSpeedBoard);
  EXPECT_EQ(run.t.celle[3].galleria, 1);
}

// Code 21 on an occupied cell: the cell is unchanged, the position is the
// board's, the description is deleted and the reading ends there.
TEST(SpeedBoards, SecondBoardOnACellIsCode21) {
  ScenarioDir dir;
  dir.write_line(short_route(
      "indicatori_vmax, 1050, 85, 90, 95, 0, 85, 90, 95, 0\n"
      "indicatori_vmax, 1060, 60, 70, 75, 0, 60, 70, 75, 0\n"
      "pendenza, 3000, 5\n"));
  dir.write_train();
  Tables t = testing::map_mode_tables();
  LineHalf half = dir.read_line(t);
  EXPECT_FALSE(half.train_follows);
  EXPECT_EQ(fault_message(t.error_state),
            "scenpack:Tarvena1_linea.txt:6:18: Errore n. 21, posizione 1060: speed board on an occupied cell");
  EXPECT_EQ(board(t.celle[22]), (std::array<int, 5>{6, 1717, 1818, 1919, 0}));
  EXPECT_EQ(t.celle[0].dato6, 0);  // no gradient completion
  EXPECT_FALSE(dir.line_remains());
  EXPECT_TRUE(dir.train_remains());
}

// The reading stops on a board's own fault only: a fault already standing
// in the error state does not end it at the next board.
TEST(SpeedBoards, EarlierFaultDoesNotStopTheBoards) {
  ScenarioDir dir;
  dir.write_line(short_route(
      "indicatori_vmax, 1050, 85, 90, 95, 0, 85, 90, 95, 0\n"
      "indicatori_vmax, 2050, 60, 70, 75, 0, 60, 70, 75, 0\n"));
  Tables t = testing::map_mode_tables();
  record_fault(t.error_state, FaultCode::kBeyondLastCell, 9999);
  LineHalf half = dir.read_line(t);
  EXPECT_TRUE(half.train_follows);
  EXPECT_EQ(t.error_state.codice_errore, 15);
  EXPECT_EQ(t.error_state.posizione_errore, 9999);
  EXPECT_EQ(t.celle[42].tipo, kind::kSpeedBoard);
}

TEST(SpeedBoards, ValueBeyondAnIntegerIsAReadFault) {
  Tables t = testing::map_mode_tables();
  EXPECT_TRUE(ends_in_read_fault(t, short_route("indicatori_vmax, 1050, 1700, 90, 95, 0, 85, 90, 95, 0\n")));
}

}  // namespace
}  // namespace scenpack
