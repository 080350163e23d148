#include "readers/tunnels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "description_fixture.h"

namespace scenpack {
namespace {

using testing::ends_in_read_fault;
using testing::read_line;
using testing::short_route;

std::vector<int> cells_with_galleria(const Tables& t) {
  std::vector<int> out;
  for (size_t c = 0; c < t.celle.size(); ++c) {
    if (t.celle[c].galleria != 0) out.push_back(static_cast<int>(c));
  }
  return out;
}
std::vector<int> marker_cells(const Tables& t) {
  std::vector<int> out;
  for (size_t c = 0; c < t.celle.size(); ++c) {
    if (t.celle[c].tipo == kind::kTunnelMarker) out.push_back(static_cast<int>(c));
  }
  return out;
}
std::vector<int> range(int first, int last, int step = 1) {
  std::vector<int> out;
  for (int c = first; c <= last; c += step) out.push_back(c);
  return out;
}

TEST(Tunnels, TunnelWithMarkers) {
  testing::LineRun run = read_line(
      testing::line_description("lunghezza percorso, 270000\n", "montagna, 19400,21300,11\n"));
  const Tables& t = run.t;
  EXPECT_EQ(cells_with_galleria(t), range(388, 425));
  EXPECT_EQ(t.celle[388].galleria, 1);
  EXPECT_EQ(marker_cells(t), range(391, 423, 4));
  EXPECT_EQ(t.n_gallerie, 1);
  EXPECT_EQ(t.gallerie_inizio[1], 19400);
  EXPECT_EQ(t.gallerie_fine[1], 21300);
}

// Markers go on free kind-0 cells only; the tunnel kind goes on every cell.
TEST(Tunnels, MarkersSkipOccupiedCells) {
  testing::LineRun run = read_line(short_route(
      "cartello indicatore, 500, (CASA)\n"  // cell 11: the fourth cell of the tunnel
      "montagna, 400, 1000, 12\n"));
  const Tables& t = run.t;
  EXPECT_EQ(cells_with_galleria(t), range(8, 19));
  EXPECT_EQ(t.celle[11].tipo, kind::kTextBoard);
  EXPECT_EQ(t.celle[11].galleria, 2);
  EXPECT_EQ(marker_cells(t), (std::vector<int>{15, 19}));
}

// A tunnel starting 150 m or less after the previous entry's end becomes
// kind 3 (markers unchanged); a tunnel ending before its start is stored
// and marks nothing, and the next gap is measured from its end.
TEST(Tunnels, KindThreeForCloseTunnels) {
  struct Case {
    const char* name;
    const char* body;
    int cell;
    int galleria;
  } cases[] = {
      {"150 m after", "montagna, 1000, 2000, 1\nmontagna, 2150, 3000, 2\n", 43, 3},
      {"151 m after", "montagna, 1000, 2000, 1\nmontagna, 2151, 3000, 2\n", 43, 2},
      {"markers kept", "montagna, 1000, 2000, 1\nmontagna, 2100, 3000, 12\n", 42, 3},
      {"gap from a backward tunnel's end", "montagna, 1000, 2000, 1\nmontagna, 9000, 5000, 2\n"
                                           "montagna, 5100, 6000, 1\n", 102, 3},
  };
  for (const auto& c : cases) {
    testing::LineRun run = read_line(short_route(c.body));
    EXPECT_EQ(run.t.celle[static_cast<size_t>(c.cell)].galleria, c.galleria) << c.name;
  }
  testing::LineRun markers = read_line(short_route(cases[2].body));
  EXPECT_EQ(markers.t.celle[45].tipo, kind::kTunnelMarker);
  testing::LineRun backward = read_line(short_route(cases[3].body));
  EXPECT_EQ(backward.t.n_gallerie, 3);
  EXPECT_EQ(backward.t.gallerie_inizio[2], 9000);
  EXPECT_EQ(backward.t.gallerie_fine[2], 5000);
  EXPECT_EQ(cells_with_galleria(backward.t), (std::vector<int>{20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32,
                                                               33, 34, 35, 36, 37, 38, 39, 102, 103, 104, 105, 106,
                                                               107, 108, 109, 110, 111, 112, 113, 114, 115, 116,
                                                               117, 118, 119}));
}

// Only the start is checked against the table: an end beyond it, or a start
// before the route, marks only the cells that exist. Markers are counted
// from the tunnel's first cell even when that cell does not exist.
TEST(Tunnels, CellLoopStaysInsideTheTable) {
  testing::LineRun run = read_line(short_route("montagna, -500, 500, 11\nmontagna, 16000, 99000, 1\n"));
  const Tables& t = run.t;
  EXPECT_EQ(t.error_state.codice_errore, 0);
  EXPECT_EQ(marker_cells(t), (std::vector<int>{1, 5, 9}));
  std::vector<int> want = range(0, 9);
  for (int c : range(320, 340)) want.push_back(c);
  EXPECT_EQ(cells_with_galleria(t), want);
}

// The list holds 80 tunnels; an 81st is a reading fault (code 25).
TEST(Tunnels, EightyFirstTunnelIsRefused) {
  std::string eighty;
  for (int n = 0; n < 80; ++n) {
    eighty += "montagna, " + std::to_string(n * 200) + ", " + std::to_string(n * 200 + 50) + ", 1\n";
  }
  testing::LineRun full = read_line(short_route(eighty));
  EXPECT_EQ(full.t.error_state.codice_errore, 0);
  EXPECT_EQ(full.t.n_gallerie, 80);
  EXPECT_EQ(full.t.gallerie_inizio[80], 15800);

  Tables t = testing::map_mode_tables();
  EXPECT_TRUE(ends_in_read_fault(t, short_route(eighty + "montagna, 16500, 16600, 1\n")));
  ASSERT_TRUE(t.error_state.where.has_value());
  EXPECT_EQ(t.error_state.where->line, 85);
  EXPECT_EQ(t.n_gallerie, 80);
  EXPECT_EQ(t.celle[330].galleria, 0);
}

}  // namespace
}  // namespace scenpack
