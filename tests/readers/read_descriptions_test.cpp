#include "readers/read_descriptions.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "description_fixture.h"

namespace scenpack {
namespace {

using testing::ends_in_read_fault;
using testing::ScenarioDir;
using testing::short_route;

TEST(ReadDescriptions, CopiesScenarioNameAndTrainNumberFirst) {
  ScenarioDir dir;  // no description at all: code 101
  Tables t;
  dir.read_all(t);
  EXPECT_EQ(t.error_state.codice_errore, 101);
  EXPECT_EQ(t.schede[85].testo, "Tarvena1");
  EXPECT_EQ(t.schede[86].testo, "84");
}

// The one run-time handler: both working texts are deleted, code 25 is
// recorded with the description and line of the field, the position is
// left alone, and what was read before the fault stays in the tables.
TEST(ReadDescriptions, ReadFaultDeletesBothTextsAndRecords25) {
  struct Case {
    const char* name;
    std::string text;
    int line;
  } cases[] = {
      {"not a number", short_route("pendenza, 500, -7\npendenza, 1O00, 3\n"), 6},
      {"too large for a Long", short_route("pendenza, 500, -7\nmontagna, 600, 2147483648, 1\n"), 6},
      {"empty description", "", 1},
      {"chainage record read past the end", testing::crlf("t\n[generale]\nprogressiva uno, 5"), 3},
  };
  for (const Case& c : cases) {
    Tables t = testing::map_mode_tables();
    t.error_state.posizione_errore = 9;
    EXPECT_TRUE(ends_in_read_fault(t, c.text)) << c.name;
    EXPECT_EQ(t.error_state.posizione_errore, 9) << c.name;
    ASSERT_TRUE(t.error_state.where.has_value()) << c.name;
    EXPECT_EQ(t.error_state.where->file, "Tarvena1_linea.txt") << c.name;
    EXPECT_EQ(t.error_state.where->line, c.line) << c.name;
    if (t.celle_sized) {
      EXPECT_EQ(t.celle[9].dato6, 100) << c.name;
    }
  }
}

// A fault of the train half goes through the same handler and names the
// train description.
TEST(ReadDescriptions, TrainHalfReadFaultNamesTheTrainDescription) {
  struct Case {
    const char* name;
    std::optional<std::string_view> train;  // none: no train description
    int line;
  } cases[] = {
      {"missing train description", std::nullopt, 0},
      {"not a number", "treno\r\n[generale]\r\nnumero vetture, dieci\r\n[fine]\r\n\r\n", 3},
  };
  for (const Case& c : cases) {
    Tables t = testing::map_mode_tables();
    EXPECT_TRUE(ends_in_read_fault(t, short_route("pendenza, 500, -7\n"), c.train)) << c.name;
    ASSERT_TRUE(t.error_state.where.has_value()) << c.name;
    EXPECT_EQ(t.error_state.where->file, "Tarvena1_84-.txt") << c.name;
    EXPECT_EQ(t.error_state.where->line, c.line) << c.name;
    EXPECT_EQ(t.celle[9].dato6, 100) << "the line half's gradients stay";
  }
}

// The line part says whether the train description follows; when it does
// the route map is drawn whole, and the train part leaves it as it was. A
// line part that ends the reading reads no train description.
TEST(ReadDescriptions, TrainDescriptionFollowsAFinishedMapOnlyWhenItsTurnComes) {
  struct Case {
    const char* name;
    std::optional<std::string> line;  // none: no line description
    int follows;
  } cases[] = {
      {"no line description", std::nullopt, 0},
      {"no general section", testing::crlf("titolo\n[generale]"), 0},
      {"curve without a class digit", short_route("pendenza, 500, -7\ncurvad7, 1000, 100\n"), 0},
      {"line read", short_route("pendenza, 500, -7\ncurvad2, 1000, 100\n"), 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScenarioDir dir;
    if (c.line) dir.write_line(*c.line);
    dir.write_train();
    Tables t = testing::map_mode_tables();
    FaultSink sink(t.error_state, FaultPolicy::kStopAtFirst);
    const LineReading line = read_line_part(t, dir.line_text(), sink);
    const int32_t drawn_after_line = t.mappa.points_set;
    const size_t runs_after_line = t.mappa.runs.size();
    const ReadingOutcome out = read_train_part(t, line, dir.train_text(), sink);
    EXPECT_EQ(line.train_follows, c.follows == 1);
    EXPECT_EQ(out.delete_train, c.follows == 1);
    if (c.follows == 1) {
      EXPECT_GT(drawn_after_line, 1100);  // past the curve
      EXPECT_EQ(t.mappa.points_set, drawn_after_line);
      EXPECT_EQ(t.mappa.runs.size(), runs_after_line);
    }
  }
}

}  // namespace
}  // namespace scenpack
