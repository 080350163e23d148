#include "view/summary.h"

#include <gtest/gtest.h>

#include "view/names.h"
#include "view/summary_output.h"

namespace scenpack {
namespace {

// A small compiled scenario: 40 cells, two slow orders (the second without
// an end), a tunnel of two kinds, a signal, a text board and two stations.
CompiledScenario small_scenario() {
  CompiledScenario s;
  s.nome_scenario = "Tarvena1";
  s.numero_treno = "84";
  std::vector<Cella>& c = s.celle.emplace(40);
  c[1].dato1 = 5121;
  c[1].dato2 = 2654;
  c[5] = Cella{kind::kSignal, 41, 0, 0, 8};
  c[7] = Cella{kind::kSlowdownStart, 50};
  c[9] = Cella{kind::kSlowdownEnd, 50};
  c[20] = Cella{kind::kSlowdownStart, 30};
  c[12] = Cella{kind::kTextBoard, 80};
  c[14] = Cella{kind::kCodePoint, 180};
  c[15] = Cella{kind::kNoCode};
  for (int i = 30; i <= 32; ++i) c[static_cast<size_t>(i)].galleria = 1;
  c[33].galleria = 3;
  c[32].tipo = kind::kTunnelMarker;
  auto& r = s.schede.emplace();
  r[1] = Scheda{8, -500, 500, 0, 1, "ROMA TERMINI"};
  r[1].lungo4 = 29400;
  r[2] = Scheda{4, 900, 1200, 1000, 0, "OLMO"};
  r[80].testo = "( BIVIO )";
  r[84].lungo2 = 1000;
  r[85].testo = "Tarvena1";
  r[85].lungo4 = 36656;
  r[86].testo = "84";
  r[86].intero3 = 8;
  r[86].intero4 = 9;
  r[86].intero5 = 25;
  return s;
}

TEST(Summary, ListsWhatTheCellsAndRecordsHold) {
  const ScenarioSummary s = summarize(small_scenario());
  EXPECT_EQ(s.route_length, 1000);
  EXPECT_EQ(s.start_clock, "08:09:25");
  ASSERT_EQ(s.stations.size(), 2u);
  EXPECT_EQ(s.stations[1].name, "OLMO");
  EXPECT_EQ(s.stations[1].far_end, 1200);
  ASSERT_EQ(s.signals.size(), 1u);
  EXPECT_EQ(s.signals[0].metre, 200);  // cell 5 = 200 / 50 + 1
  ASSERT_EQ(s.slow_orders.size(), 2u);
  EXPECT_EQ(s.slow_orders[0].start, 300);
  EXPECT_EQ(s.slow_orders[0].end, 400);
  EXPECT_EQ(s.slow_orders[1].end, std::nullopt);
  EXPECT_EQ(s.slow_orders[1].speed, 30);
  ASSERT_EQ(s.text_boards.size(), 1u);
  EXPECT_EQ(s.text_boards[0].text, "( BIVIO )");
  ASSERT_EQ(s.code_points.size(), 1u);
  EXPECT_EQ(s.code_points[0].metre, 700);  // cell 14 = 700 / 50
  EXPECT_EQ(s.no_code.size(), 1u);
  // Consecutive cells of one tunnel kind are one tunnel, whatever the cell's kind.
  ASSERT_EQ(s.tunnels.size(), 2u);
  EXPECT_EQ(s.tunnels[0].from, 1500);
  EXPECT_EQ(s.tunnels[0].to, 1650);
  EXPECT_EQ(s.tunnels[1].kind, 3);
  EXPECT_TRUE(check_codes_match(s));
}

TEST(Summary, CheckCodesThatDoNotFitTheNamesAreSaid) {
  CompiledScenario c = small_scenario();
  c.numero_treno = "85";
  const ScenarioSummary s = summarize(c);
  EXPECT_FALSE(check_codes_match(s));
  const std::string text = summary_text(s);
  EXPECT_NE(text.find("plain check code     2654 (85 and Tarvena1 give 2655): DOES NOT MATCH"), std::string::npos) << text;
  EXPECT_NE(text.find("names in records     \"Tarvena1\" and \"84\": DOES NOT MATCH"), std::string::npos);
  // Without the cells the plain code is not known.
  c.celle.reset();
  EXPECT_NE(summary_text(summarize(c)).find(": not in the files read"), std::string::npos);
}

TEST(Names, RolesOfRecordsAndMetresOfCells) {
  const CompiledScenario c = small_scenario();
  const auto roles = record_roles(*c.schede, &*c.celle);
  EXPECT_EQ(roles[0], "free");
  EXPECT_EQ(roles[1], "station 1");
  EXPECT_EQ(roles[2], "station 2");
  EXPECT_EQ(roles[3], "free");
  EXPECT_EQ(roles[80], "text board 1");
  EXPECT_EQ(roles[81], "chainage 1");
  EXPECT_EQ(roles[84], "general data");
  EXPECT_EQ(roles[85], "scenario and check code");
  EXPECT_EQ(roles[86], "train and start clock");
  // Without cells, the records holding only a text from 80 down are boards.
  EXPECT_EQ(record_roles(*c.schede, nullptr)[80], "text board 1");

  EXPECT_EQ(cell_metre(411, kind::kSignal), 20500);
  EXPECT_EQ(cell_metre(106, kind::kCodePoint), 5300);
  EXPECT_EQ(cell_metre(9, kind::kStationEnd), 500);
  EXPECT_EQ(cell_kind_from_name("slow-order start"), kind::kSlowdownStart);
  EXPECT_EQ(cell_kind_from_name("14"), kind::kTextBoard);
  EXPECT_EQ(cell_kind_from_name("256"), std::nullopt);
  EXPECT_EQ(cell_kind_from_name("signals"), std::nullopt);
  for (uint8_t k : known_cell_kinds()) EXPECT_EQ(cell_kind_from_name(cell_kind_name(k)), k);
}

}  // namespace
}  // namespace scenpack
