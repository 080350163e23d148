#include "readers/line_reader.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "description_fixture.h"

namespace scenpack {
namespace {

using testing::line_description;
using testing::ends_in_read_fault;
using testing::read_line;
using testing::ScenarioDir;
using testing::short_route;

// dato6 of a cell: gradient + 100, 0 where no gradient was ever written.
int gradient_byte(const Tables& t, int cell) { return t.celle.at(static_cast<size_t>(cell)).dato6; }

TEST(LineReader, MissingDescriptionTouchesNothing) {
  ScenarioDir dir;
  dir.write_train();
  Tables t = testing::map_mode_tables();
  t.error_state.posizione_errore = 42;
  LineHalf half = dir.read_line(t);
  EXPECT_FALSE(half.train_follows);
  EXPECT_EQ(t.error_state.codice_errore, 101);
  EXPECT_EQ(t.error_state.posizione_errore, 42);
  EXPECT_FALSE(t.celle_sized);
  EXPECT_FALSE(t.mappa.sized);
  EXPECT_TRUE(dir.train_remains());
  // The message shows no position the fault did not set itself.
  EXPECT_EQ(fault_message(t.error_state),
            "scenpack:Tarvena1_linea.txt: Errore n. 101, posizione 0: line description not found");
}

// "[generale]" must stand before the last field: on the last line, or
// missing, it is code 102 and the description is deleted.
TEST(LineReader, GeneralSectionNotFound) {
  const std::string texts[] = {
      testing::crlf("titolo\ncommento, con virgola\n[generale]\n"),
      testing::crlf("titolo\n[Generale]"),
      testing::crlf("titolo\nlunghezza percorso, 10000\n[fine]\n\n"),
  };
  for (const std::string& text : texts) {
    ScenarioDir dir;
    dir.write_line(text);
    dir.write_train();
    Tables t = testing::map_mode_tables();
    LineHalf half = dir.read_line(t);
    EXPECT_FALSE(half.train_follows);
    EXPECT_EQ(t.error_state.codice_errore, 102) << text;
    EXPECT_FALSE(t.celle_sized);
    EXPECT_FALSE(dir.line_remains());
    EXPECT_TRUE(dir.train_remains());
  }
}

TEST(LineReader, GeneralMarkerInAnyCaseAndWithBlanks) {
  testing::LineRun run = read_line(testing::crlf(
      "titolo\ninizio dati\n     \n[GENERALE]                        \nlunghezza percorso, 10000\n"
      "[fine]\n                \n"));
  EXPECT_EQ(run.t.error_state.codice_errore, 0);
  EXPECT_EQ(run.t.n_celle, 340);
  EXPECT_TRUE(run.half.train_follows);
}

// At most two comment fields are skipped before a body record; a third is
// tested as a keyword field even though it holds "-".
TEST(LineReader, BodyCommentSkipping) {
  struct Case {
    const char* body;
    int cell_20_byte;  // gradient byte of cell 20 (position 1000)
  } cases[] = {
      {"pendenza, 500, -7\n- commento\npendenza, 1000, 5\n", 105},
      {"pendenza, 500, -7\n- uno\n- due\npendenza, 1000, 5\n", 105},
      // Three in a row: the third is tested, so "-pendenza" is a gradient.
      {"pendenza, 500, -7\n- uno\n- due\n-pendenza, 1000, 5\n", 105},
      // Two in a row where the second is the commented-out record: skipped.
      {"pendenza, 500, -7\n- due\n-pendenza, 1000, 5\n", 93},
  };
  for (const auto& c : cases) {
    testing::LineRun run = read_line(short_route(c.body));
    EXPECT_EQ(run.t.error_state.codice_errore, 0) << c.body;
    EXPECT_EQ(gradient_byte(run.t, 19), 93) << c.body;
    EXPECT_EQ(gradient_byte(run.t, 20), c.cell_20_byte) << c.body;
  }
}

// The last field of a description is never interpreted: a keyword on the
// very last line does nothing, while a record missing its last number is a
// read past the end (code 25).
TEST(LineReader, LastFieldIsNeverInterpreted) {
  {
    testing::LineRun run = read_line(testing::crlf(
        "t\n[generale]\nlunghezza percorso, 10000\n[pendenze]\npendenza, 500, -7\ncartello indicatore"));
    EXPECT_EQ(run.t.error_state.codice_errore, 0);
    EXPECT_TRUE(run.half.train_follows);
    EXPECT_EQ(gradient_byte(run.t, 10), 93);
  }
  {
    Tables t = testing::map_mode_tables();
    EXPECT_TRUE(ends_in_read_fault(
        t, testing::crlf("t\n[generale]\nlunghezza percorso, 10000\n[pendenze]\npendenza, 500\n")));
  }
}

TEST(LineReader, FinishedDescriptionIsDeletedAndTrainFollows) {
  ScenarioDir dir;
  dir.write_line(short_route("pendenza, 500, -7\n"));
  Tables t = testing::map_mode_tables();
  LineHalf half = dir.read_line(t);
  EXPECT_TRUE(half.train_follows);
  EXPECT_EQ(half.board_record, 80);
  EXPECT_EQ(t.error_state.codice_errore, 0);
  EXPECT_FALSE(dir.line_remains());
}

// Code 15 stops the body: later records are not applied, the completions
// still run and the train description follows. The position check passes
// while (p + 100) / 50 equals n_celle.
TEST(LineReader, PositionBeyondTheLastCellStopsTheBody) {
  ScenarioDir dir;
  dir.write_line(short_route(
      "pendenza, 500, -7\n"
      "pendenza, 16900, 3\n"      // (16900 + 100) / 50 = 340 = n_celle: accepted
      "montagna, 16901, 17000, 1\n"  // 340.02: refused
      "pendenza, 600, 9\n"));
  Tables t = testing::map_mode_tables();
  LineHalf half = dir.read_line(t);
  EXPECT_TRUE(half.train_follows);
  EXPECT_EQ(t.error_state.codice_errore, 15);
  EXPECT_EQ(t.error_state.posizione_errore, 16901);
  ASSERT_TRUE(t.error_state.where.has_value());
  EXPECT_EQ(t.error_state.where->line, 7);
  EXPECT_EQ(t.n_gallerie, 0);
  EXPECT_EQ(gradient_byte(t, 337), 93);
  // The completion writes at least one cell: here n_celle - 2 itself.
  EXPECT_EQ(gradient_byte(t, 338), 103);
  EXPECT_EQ(gradient_byte(t, 339), 0);
  EXPECT_EQ(t.mappa.points_set, 16999);   // map completed up to its third-last point
  EXPECT_FALSE(dir.line_remains());
}

// The fault message names the description and the record's line.
TEST(LineReader, FaultNamesTheRecordLine) {
  ScenarioDir dir;
  dir.write_line(short_route(
      "pendenza, 500, -7\n"
      "cartello indicatore, 6200, ( DOPPIO )\n"
      "\n"
      "cartello indicatore, 6220, ( BIVIO )\n"));
  dir.write_train();
  Tables t = testing::map_mode_tables();
  dir.read_all(t);
  EXPECT_EQ(fault_message(t.error_state),
            "scenpack:Tarvena1_linea.txt:8:22: Errore n. 6, posizione 6220: text board on an occupied cell");
  EXPECT_FALSE(dir.line_remains());
  EXPECT_TRUE(dir.train_remains());
}

// A description that is there but cannot be read is a reading fault like
// any other: code 25, both working texts to be deleted.
TEST(LineReader, DescriptionThatCannotBeReadIsCode25) {
  ScenarioDir dir;
  dir.write_train();
  Tables t = testing::map_mode_tables();
  DescriptionText line{"Tarvena1_linea.txt", std::nullopt, "cannot read Tarvena1_linea.txt: Permission denied"};
  FaultSink sink(t.error_state, FaultPolicy::kStopAtFirst);
  const ReadingOutcome out = read_descriptions(t, line, dir.train_text(), sink);
  EXPECT_EQ(t.error_state.codice_errore, 25);
  EXPECT_TRUE(out.delete_line);
  EXPECT_TRUE(out.delete_train);
}

}  // namespace
}  // namespace scenpack
