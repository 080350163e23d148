#include "readers/general_data.h"

#include <gtest/gtest.h>

#include <string>

#include "description_fixture.h"
#include "readers/read_fault.h"

namespace scenpack {
namespace {

using testing::line_description;
using testing::ends_in_read_fault;
using testing::read_line;
using testing::ScenarioDir;

// The general rows of the working line description, verbatim.
constexpr const char* kWorkingGeneral =
    "lunghezza percorso,    270000\n"
    "progressiva chilometrica uno,    263600,    46500,    0\n"
    "progressiva chilometrica due,    206200,    -6550,    0\n"
    "progressiva chilometrica tre,    190600,    28600,    0\n"
    "sfondo uno,    1\n"
    "sfondo due,    250000\n"
    "sfondo tre,    0\n"
    "ripetizione segnali 9 codici,    4900,    266650\n";

TEST(GeneralData, WorkingRowsFillRecordsAndSizeTables) {
  testing::LineRun run = read_line(line_description(kWorkingGeneral, ""));
  const Tables& t = run.t;
  EXPECT_EQ(t.error_state.codice_errore, 0);
  EXPECT_TRUE(run.half.train_follows);
  EXPECT_EQ(t.schede[84].lungo2, 270000);
  EXPECT_EQ(t.lunghezza_estesa, 277000);
  EXPECT_EQ(t.n_celle, 5540);
  EXPECT_EQ(t.celle.size(), 5541u);
  EXPECT_EQ(t.mappa.last_index, 277000);
  // Chainage records ordered by start, largest in 81.
  EXPECT_EQ(t.schede[81].lungo1, 263600);
  EXPECT_EQ(t.schede[81].lungo2, 46500);
  EXPECT_EQ(t.schede[82].lungo1, 206200);
  EXPECT_EQ(t.schede[82].lungo2, -6550);
  EXPECT_EQ(t.schede[83].lungo1, 190600);
  EXPECT_EQ(t.schede[83].lungo2, 28600);
  // Backgrounds "uno", "tre", "due" in lungo1..3.
  EXPECT_EQ(t.schede[85].lungo1, 1);
  EXPECT_EQ(t.schede[85].lungo2, 0);
  EXPECT_EQ(t.schede[85].lungo3, 250000);
  EXPECT_EQ(t.schede[86].lungo1, 4900);
  EXPECT_EQ(t.schede[86].lungo2, 266650);
  EXPECT_EQ(t.schede[86].lungo3, 9);
}

TEST(GeneralData, RouteLengthSizesCellsAndMap) {
  struct Case {
    int32_t length;
    int32_t n_celle;
  } cases[] = {
      {0, 140},          // 7000 / 50
      {25, 140},         // 140.5, ties to even
      {75, 142},         // 141.5
      {270000, 5540},
      {1000000, 20140},  // the longest route
      {-6999, 0},        // one metre of table: cell 0 and map points 0 and 1
  };
  for (const Case& c : cases) {
    testing::LineRun run =
        read_line(line_description("lunghezza percorso, " + std::to_string(c.length) + "\n", ""));
    EXPECT_EQ(run.t.error_state.codice_errore, 0) << c.length;
    EXPECT_EQ(run.t.n_celle, c.n_celle) << c.length;
    EXPECT_EQ(run.t.lunghezza_estesa, c.length + 7000) << c.length;
    EXPECT_EQ(run.t.mappa.last_index, c.length + 7000) << c.length;
    EXPECT_TRUE(run.t.mappa.sized) << c.length;
  }
}

// Faults of the general section: the description is deleted, the train
// description is not read, and the fault names the row's line.
TEST(GeneralData, FaultsStopTheReading) {
  struct Case {
    const char* rows;
    int32_t code;
  } cases[] = {
      {"lunghezza percorso, 1000001\n", 1},
      {"lunghezza percorso, 10000\nripetizione segnali 9 codici, 4910, 266650\n", 3},
      {"lunghezza percorso, 10000\nripetizione segnali 9 codici, 4900, 266655\n", 4},
      {"lunghezza percorso, 10000\nripetizione segnali codici, 4900, 266650\n", 5},
  };
  for (const Case& c : cases) {
    ScenarioDir dir;
    dir.write_line(line_description(c.rows, "pendenza, 500, -7\n"));
    dir.write_train();
    Tables t = testing::map_mode_tables();
    t.error_state.posizione_errore = 77;
    LineHalf half = dir.read_line(t);
    EXPECT_FALSE(half.train_follows) << c.code;
    EXPECT_EQ(t.error_state.codice_errore, c.code);
    EXPECT_EQ(t.error_state.posizione_errore, 77) << "no position for code " << c.code;
    ASSERT_TRUE(t.error_state.where.has_value());
    EXPECT_EQ(t.error_state.where->file, "Tarvena1_linea.txt");
    EXPECT_EQ(t.error_state.where->line, c.code == 1 ? 3 : 4);
    EXPECT_FALSE(dir.line_remains()) << c.code;
    EXPECT_TRUE(dir.train_remains()) << c.code;
  }
}

TEST(GeneralData, SignalRepetitionCodeCount) {
  struct Case {
    const char* row;
    int32_t start, end, codes;
  } cases[] = {
      {"ripetizione segnali 4 codici, 1000, 5000", 1000, 5000, 4},
      {"ripetizione segnali 9 codici, 1000, 5000", 1000, 5000, 9},
      {"ripetizione segnali 4 codici, 1000, 0", 1000, 0, 0},   // no end: no codes
      {"ripetizione segnali 49, 0, 50", 0, 50, 4},            // "4" is tested first
      {"ripetizione segnali 9 codici, -100, 50", -100, 50, 9},  // a negative multiple of 50
  };
  for (const Case& c : cases) {
    testing::LineRun run =
        read_line(line_description(std::string("lunghezza percorso, 10000\n") + c.row + "\n", ""));
    EXPECT_EQ(run.t.error_state.codice_errore, 0) << c.row;
    EXPECT_EQ(run.t.schede[86].lungo1, c.start) << c.row;
    EXPECT_EQ(run.t.schede[86].lungo2, c.end) << c.row;
    EXPECT_EQ(run.t.schede[86].lungo3, c.codes) << c.row;
  }
}

// "lunghezza" and "percorso" match in any case; the chainage, background
// and repetition words only as written.
TEST(GeneralData, KeywordCaseModes) {
  testing::LineRun run = read_line(line_description(
      "LUNGHEZZA Percorso, 10000\n"
      "Progressiva chilometrica uno, 500, 10, 1\n"
      "progressiva chilometrica UNO, 600, 10, 1\n"
      "Sfondo uno, 7\n"
      "sfondo due e tre, 5, 6\n"
      "Ripetizione segnali 9, 1000, 2000\n",
      ""));
  const Tables& t = run.t;
  EXPECT_EQ(t.error_state.codice_errore, 0);
  EXPECT_EQ(t.n_celle, 340);
  for (int r = 81; r <= 83; ++r) EXPECT_EQ(t.schede[r].lungo1, 0) << r;
  EXPECT_EQ(t.schede[85].lungo1, 0);
  // One field holding "due" and "tre" reads a number for each, in order.
  EXPECT_EQ(t.schede[85].lungo3, 5);
  EXPECT_EQ(t.schede[85].lungo2, 6);
  EXPECT_EQ(t.schede[86].lungo1, 0);
}

// Exactly ten comment fields (any field holding "-") are read over before a
// row is applied: an eleventh is applied as it stands, and a marker that
// starts with "-" does not end the section. A commented-out row is passed
// over number by number.
TEST(GeneralData, TenCommentFieldsArePassedOver) {
  std::string ten;
  for (int n = 0; n < 10; ++n) ten += "- nota " + std::to_string(n) + "\n";
  testing::LineRun run = read_line(line_description(
      "lunghezza percorso, 10000\n"
      "- lunghezza percorso, 90000\n" +
          ten + "- sfondo uno, 3\n" + ten + "-[non una sezione]\n" + "sfondo due, 4\n",
      ""));
  EXPECT_EQ(run.t.error_state.codice_errore, 0);
  EXPECT_EQ(run.t.schede[84].lungo2, 10000);
  EXPECT_EQ(run.t.schede[85].lungo1, 3);
  EXPECT_EQ(run.t.schede[85].lungo3, 4);
}

// The comment reads have no end-of-file test between them: comment fields
// running into the end of the file are a read past the end (code 25).
TEST(GeneralData, CommentsRunningIntoTheEndAreAReadFault) {
  Tables t = testing::map_mode_tables();
  EXPECT_TRUE(ends_in_read_fault(t, testing::crlf("titolo\n[generale]\nlunghezza percorso, 10000\n- a\n- b\n")));
}

// No route length, or a negative one, leaves no table for the body: the
// description is refused as a reading fault (code 25), in both map modes.
TEST(GeneralData, MissingOrNegativeRouteLengthIsAReadFault) {
  const std::string general[] = {"sfondo uno, 1\n", "lunghezza percorso, -7001\n"};
  for (const std::string& rows : general) {
    for (int32_t modo : {0, 1}) {
      Tables t;
      t.modo_percorso = modo;
      EXPECT_TRUE(ends_in_read_fault(t, line_description(rows, "pendenza, 500, -7\n"))) << rows << modo;
      EXPECT_FALSE(t.celle_sized) << rows;
    }
  }
}

// L = -7000 leaves one track cell (n_celle = 0), a table like any other
// when no map is drawn; with the map on there is no room for its point 1,
// which is the reading fault (code 25).
TEST(GeneralData, RouteOfMinus7000MetresLeavesOneCell) {
  testing::LineRun without_map =
      read_line(line_description("lunghezza percorso, -7000\n", "pendenza, -200, 4\n"), 0);
  EXPECT_EQ(without_map.t.error_state.codice_errore, 0);
  ASSERT_TRUE(without_map.t.celle_sized);
  EXPECT_EQ(without_map.t.n_celle, 0);
  ASSERT_EQ(without_map.t.celle.size(), 1u);
  EXPECT_EQ(without_map.t.celle[0].dato6, 104);
  EXPECT_TRUE(without_map.half.train_follows);

  EXPECT_THROW(read_line(line_description("lunghezza percorso, -7000\n", ""), 1), ReadFault);
}

}  // namespace
}  // namespace scenpack
