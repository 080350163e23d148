#include "readers/gradients.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "description_fixture.h"

namespace scenpack {
namespace {

using testing::read_line;
using testing::short_route;

// dato6 of cells first..last.
std::vector<int> bytes(const Tables& t, int first, int last) {
  std::vector<int> out;
  for (int c = first; c <= last; ++c) out.push_back(t.celle.at(static_cast<size_t>(c)).dato6);
  return out;
}
std::vector<int> repeat(int value, int count) { return std::vector<int>(static_cast<size_t>(count), value); }

// Each gradient runs from its own cell to the next record's cell; the cells
// before the first record get 0 (byte 100); the last gradient runs to cell
// n_celle - 3 and the last three cells keep 0.
TEST(Gradients, EachGradientRunsToTheNextRecord) {
  testing::LineRun run = read_line(short_route("pendenza  , 500    , -7\npendenza  , 2000   , -10\n"));
  const Tables& t = run.t;
  ASSERT_EQ(t.n_celle, 340);
  EXPECT_EQ(bytes(t, 0, 9), repeat(100, 10));
  EXPECT_EQ(bytes(t, 10, 39), repeat(93, 30));
  EXPECT_EQ(bytes(t, 40, 337), repeat(90, 298));
  EXPECT_EQ(bytes(t, 338, 340), repeat(0, 3));
}

TEST(Gradients, CellOfARecordAndRecordsInOneCell) {
  struct Case {
    const char* name;
    const char* body;
    int first, last;            // cells checked
    std::vector<int> want;
  } cases[] = {
      {"two records in one cell: the older gradient moves one cell on",
       "pendenza, 500, -7\npendenza, 510, 3\npendenza, 1000, 0\n", 9, 20,
       {100, 93, 103, 103, 103, 103, 103, 103, 103, 103, 103, 100}},
      {"the same position twice",
       "pendenza, 500, 4\npendenza, 500, 0\npendenza, 700, 2\n", 9, 14, {100, 104, 100, 100, 100, 102}},
      {"10.5 rounds to 10 and 11.5 to 12", "pendenza, 525, 5\npendenza, 575, 1\n", 9, 12, {100, 105, 105, 101}},
      {"a record in cell 0 writes nothing", "pendenza, 20, 5\npendenza, 200, 1\n", 0, 4,
       {105, 105, 105, 105, 101}},
      {"gradients outside -100..155 keep their low 8 bits", "pendenza, 0, -200\npendenza, 100, 200\n", 0, 2,
       {156, 156, 44}},
  };
  for (const auto& c : cases) {
    testing::LineRun run = read_line(short_route(c.body));
    EXPECT_EQ(run.t.error_state.codice_errore, 0) << c.name;
    EXPECT_EQ(bytes(run.t, c.first, c.last), c.want) << c.name;
  }
}

TEST(Gradients, NoRecordsGiveGradientZeroUpToTheCompletion) {
  testing::LineRun run = read_line(short_route(""));
  EXPECT_EQ(bytes(run.t, 0, 337), repeat(100, 338));
  EXPECT_EQ(bytes(run.t, 338, 340), repeat(0, 3));
}

// Records out of order move the fill one cell per record; the fill stops at
// the last cell instead of writing past the table.
TEST(Gradients, FillStopsAtTheLastCell) {
  std::string body = "pendenza, 16000, 5\n";
  for (int n = 0; n < 400; ++n) body += "pendenza, 100, 7\n";
  testing::LineRun run = read_line(short_route(body));
  EXPECT_EQ(run.t.error_state.codice_errore, 0);
  ASSERT_EQ(run.t.celle.size(), 341u);
  EXPECT_EQ(bytes(run.t, 319, 320), (std::vector<int>{100, 105}));
  EXPECT_EQ(bytes(run.t, 321, 340), repeat(107, 20));
}

// A table of one cell (L = -6999): the completion writes that one cell.
TEST(Gradients, SmallestTableGetsItsOneCell) {
  testing::LineRun run = read_line(testing::line_description("lunghezza percorso, -6999\n", ""));
  ASSERT_EQ(run.t.celle.size(), 1u);
  EXPECT_EQ(run.t.celle[0].dato6, 100);
}

}  // namespace
}  // namespace scenpack
