#include "readers/text_boards.h"

#include <gtest/gtest.h>

#include <string>

#include "description_fixture.h"

namespace scenpack {
namespace {

using testing::read_line;
using testing::ScenarioDir;
using testing::short_route;

TEST(TextBoards, BoardsTakeRecordsFrom80Downward) {
  testing::LineRun run = read_line(short_route(
      "cartello indicatore,  6200,     ( DOPPIO  ) ( BIVIO  ) (NOMENTANO)\n"
      "\n"
      "cartello indicatore,  6250,     ( SECONDO )\n"
      "Cartello Indicatore,  7000,     ( TERZO )\n"
      "cartello indicatore,  8000,     (CAVALCAVIA) ( STATUTO )         \n"));
  const Tables& t = run.t;
  EXPECT_EQ(t.error_state.codice_errore, 0);
  EXPECT_EQ(t.celle[125].tipo, kind::kTextBoard);
  EXPECT_EQ(t.celle[125].dato1, 80);
  EXPECT_EQ(t.schede[80].testo, "( DOPPIO  ) ( BIVIO  ) (NOMENTANO)");
  EXPECT_EQ(t.celle[126].dato1, 79);
  EXPECT_EQ(t.celle[141].dato1, 78);
  EXPECT_EQ(t.celle[161].dato1, 77);
  EXPECT_EQ(t.schede[77].testo, "(CAVALCAVIA) ( STATUTO )         ");
  EXPECT_EQ(run.half.board_record, 76);
}

// A board goes on a free cell (kind 0 or a tunnel marker); on any other
// kind it is code 6 with the board's position. The cell is p / 50 + 1
// rounded as one expression, so boards at 25 and 75 share cell 2.
TEST(TextBoards, OccupiedCellIsCode6) {
  struct Case {
    const char* name;
    const char* body;
    int32_t position;
    int line;
  } cases[] = {
      {"two boards on one cell", "cartello indicatore, 6200, A\ncartello indicatore, 6220, B\n", 6220, 6},
      {"25 and 75 both in cell 2", "cartello indicatore, 25, A\ncartello indicatore, 75, B\n", 75, 6},
      {"on a speed board", "indicatori_vmax, 6200, 85, 90, 95, 0, 85, 90, 95, 0\ncartello indicatore, 6200, B\n",
       6200, 6},
  };
  for (const auto& c : cases) {
    ScenarioDir dir;
    dir.write_line(short_route(c.body));
    dir.write_train();
    Tables t = testing::map_mode_tables();
    LineHalf half = dir.read_line(t);
    EXPECT_FALSE(half.train_follows) << c.name;
    EXPECT_EQ(t.error_state.codice_errore, 6) << c.name;
    EXPECT_EQ(t.error_state.posizione_errore, c.position) << c.name;
    ASSERT_TRUE(t.error_state.where.has_value());
    EXPECT_EQ(t.error_state.where->line, c.line) << c.name;
    EXPECT_EQ(t.schede[79].testo, "") << c.name;
    EXPECT_FALSE(dir.line_remains()) << c.name;
    EXPECT_TRUE(dir.train_remains()) << c.name;
  }
}

TEST(TextBoards, BoardOnATunnelMarker) {
  testing::LineRun run = read_line(short_route("montagna, 0, 1000, 11\ncartello indicatore, 100, A\n"));
  EXPECT_EQ(run.t.error_state.codice_errore, 0);
  EXPECT_EQ(run.t.celle[3].tipo, kind::kTextBoard);
}

// Boards may take records 80 down to 1; an 81st would take record 0, below
// the stations' range: the record table is full (code 10).
TEST(TextBoards, EightyFirstBoardIsRefused) {
  std::string eighty;
  for (int n = 0; n < 80; ++n) eighty += "cartello indicatore, " + std::to_string(n * 100) + ", T\n";
  testing::LineRun full = read_line(short_route(eighty));
  EXPECT_EQ(full.t.error_state.codice_errore, 0);
  EXPECT_EQ(full.t.schede[1].testo, "T");
  EXPECT_EQ(full.half.board_record, 0);

  ScenarioDir dir;
  dir.write_line(short_route(eighty + "cartello indicatore, 9000, ULTIMO\n"));
  dir.write_train();
  Tables t = testing::map_mode_tables();
  LineHalf half = dir.read_line(t);
  EXPECT_FALSE(half.train_follows);
  EXPECT_EQ(t.error_state.codice_errore, 10);
  EXPECT_EQ(t.error_state.posizione_errore, 0);  // code 10 sets no position
  EXPECT_EQ(t.schede[0].testo, "");
  EXPECT_EQ(t.celle[181].tipo, kind::kNothing);
  EXPECT_FALSE(dir.line_remains());
  EXPECT_TRUE(dir.train_remains());
}

}  // namespace
}  // namespace scenpack
