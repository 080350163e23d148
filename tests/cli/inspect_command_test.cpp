#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "support/run_exe.h"

namespace scenpack {
namespace {

using testing_support::run_scenpack;
using testing_support::slurp;
using testing_support::spit;
using testing_support::TempDir;

// The embedded scenario built into a scratch directory, once per test.
class InspectCommand : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(run_scenpack(dir.path(), {"run", "--dir", ".", "--quiet"}).status, 0); }
  TempDir dir;
};

// Rows of a description whose first field starts with `keyword`.
int rows_starting(const std::string& text, const std::string& keyword) {
  std::istringstream in(text);
  int n = 0;
  for (std::string line; std::getline(in, line);) n += line.rfind(keyword, 0) == 0;
  return n;
}

// The count after a summary table's title: "signals (105)".
int table_count(const std::string& summary, const std::string& title) {
  std::smatch m;
  if (!std::regex_search(summary, m, std::regex("\n" + title + " \\((\\d+)\\)\n"))) return -1;
  return std::stoi(m[1]);
}

TEST_F(InspectCommand, SummaryCountsWhatTheDescriptionsHold) {
  ASSERT_EQ(run_scenpack(dir.path(), {"emit", "--dir", "."}).status, 0);
  const std::string line = slurp(dir.file("Tarvena1_linea.txt"));
  const std::string train = slurp(dir.file("Tarvena1_84-.txt"));
  // Tunnels that mark cells: the rows whose end lies beyond their start.
  int tunnels = 0;
  std::istringstream in(line);
  for (std::string row; std::getline(in, row);) {
    std::smatch m;
    if (std::regex_search(row, m, std::regex("^montagna, *(\\d+), *(\\d+)"))) tunnels += std::stoi(m[2]) > std::stoi(m[1]);
  }

  const auto r = run_scenpack(dir.path(), {"inspect", ".", "--summary"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(table_count(r.out, "stations"), rows_starting(train, "stazione"));
  EXPECT_EQ(table_count(r.out, "signals"), rows_starting(train, "segnale"));
  EXPECT_EQ(table_count(r.out, "slow orders"), rows_starting(train, "rallentamento"));
  EXPECT_EQ(table_count(r.out, "text boards"), rows_starting(line, "cartello"));
  EXPECT_EQ(table_count(r.out, "tunnels"), tunnels);
  EXPECT_EQ(tunnels, 38);
  EXPECT_NE(r.out.find("route length         270000 m\n"), std::string::npos);
  EXPECT_NE(r.out.find("plain check code     2654 (84 and Tarvena1 give 2654): matches\n"), std::string::npos);
  EXPECT_NE(r.out.find("weighted check code  36656 (84 and Tarvena1 give 36656): matches\n"), std::string::npos);
  EXPECT_NE(r.out.find("       1         0      -500       500     8  08:10:00  ROMA TERMINI\n"), std::string::npos);
}

TEST_F(InspectCommand, CellsShowTheirSpanAndMeaningBesideTheStoredNumbers) {
  const auto r = run_scenpack(dir.path(), {"inspect", ".", "--kind", "signal", "--cells", "400..430"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "cells (5541)\n"
            "   cell  span               kind                  tipo   dato1   dato2   dato3   dato4   tempo  avviso galleria   dato5   dato6   dato7  meaning\n"
            "    424  21200-21249 m      signal                   1      41       0       0       8       0       0       1      40     105      75  "
            "200 km/h, +5 \u2030, tunnel kind 1; signal at 21150 m: codes 4|1 0|0 0|0, group 8, time 0\n");

  // Cells next to each other no longer share a metre; the stored numbers
  // alone stay as they were.
  const auto span = run_scenpack(dir.path(), {"inspect", ".", "--cells", "120..122"});
  EXPECT_NE(span.out.find("    120  6000-6049 m        nothing                  0       0       0       0       0       0       0       0      18     104      75  90 km/h, +4 \u2030\n"
                          "    121  6050-6099 m        nothing  "),
            std::string::npos)
      << span.out;
  EXPECT_NE(span.out.find("    122  6100-6149 m        code point              12     270       0       0       0       0       0       0      18     104      75  90 km/h, +4 \u2030; cab code 270 from 6100 m\n"),
            std::string::npos);
  const auto raw = run_scenpack(dir.path(), {"inspect", ".", "--kind", "signal", "--cells", "400..430", "--raw"});
  EXPECT_EQ(raw.out,
            "cells (5541)\n"
            "   cell    metre  kind                  tipo   dato1   dato2   dato3   dato4   tempo  avviso galleria   dato5   dato6   dato7\n"
            "    424    21150  signal                   1      41       0       0       8       0       0       1      40     105      75\n");
}

TEST_F(InspectCommand, DirectoryShowsSummaryRecordsAndOccupiedCellsButNoMapPoints) {
  const auto r = run_scenpack(dir.path(), {"inspect", "."});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto summary = run_scenpack(dir.path(), {"inspect", ".", "--summary"});
  EXPECT_EQ(r.out.rfind(summary.out + "\nrecords (87, those in use)\n", 0), 0u);
  for (const char* line : {
           "     1  station 1                      8    -500     500       0       1       4       0       2       1       0       0       1       0       0   29400  "
           "\"ROMA TERMINI\": station of kind 8 at 0 m, from -500 m to 500 m, time 08:10:00\n",
           "    84  general data                   0     130  270000      12       0       0       0       0       0       0       0       0       0       0       0  "
           "braked mass 130 %, route length 270000 m, 12 coaches\n",
           "    86  train and start clock          0    4900  266650       9       0     300       0       8       9      25       0       0       0       0       0  "
           "train \"84\", signal repetition 4900 m to 266650 m with 9 codes, sand 300, start clock 08:09:25\n",
           "      9  450-499 m          station end             10       1       0       0       0       0       0       0       6     100      75  "
           "30 km/h, 0 \u2030; end mark at 500 m of station 1 \"ROMA TERMINI\"\n",
           "     22  1100-1149 m        speed board              6    1717    1818    1919       0       0       0       0      19      93      75  "
           "95 km/h, -7 \u2030; speed board at 1050 m: 85|85, 90|90, 95|95 km/h (left|right), stripes 0|0\n",
       }) {
    EXPECT_NE(r.out.find(line), std::string::npos) << line;
  }
  EXPECT_EQ(r.out.find("  nothing    "), std::string::npos);  // no empty cell listed
  EXPECT_EQ(r.out.find("\nmap ("), std::string::npos);
  EXPECT_EQ(r.out.find("  free  "), std::string::npos);

  const auto map = run_scenpack(dir.path(), {"inspect", ".", "--cells", "424", "--map"});
  EXPECT_NE(map.out.find("\nmap (277001 metres, 276999 set)\n  metre                        x                        y\n  21200 "),
            std::string::npos);
  EXPECT_EQ(map.out.find("\n  21250 "), std::string::npos);
}

TEST_F(InspectCommand, NamesAreDecodedFromWindows1252AndControlsShownVisibly) {
  std::string records = slurp(dir.file("Tarvena1_84.sim"));
  const size_t at = records.find("ROMA TERMINI");
  ASSERT_NE(at, std::string::npos);
  records.replace(at, 12, std::string("SAN LI\xD2\x80\x1b[J\x07", 12));
  spit(dir.file("Tarvena1_84.sim"), records);
  const auto r = run_scenpack(dir.path(), {"inspect", "."});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("       1         0      -500       500     8  08:10:00  SAN LI\u00d2\u20ac\\x1b[J\\x07\n"),
            std::string::npos);
  EXPECT_NE(r.out.find("  \"SAN LI\u00d2\u20ac\\x1b[J\\x07\": station of kind 8"), std::string::npos);
  EXPECT_EQ(r.out.find('\x1b'), std::string::npos);
  const auto json = run_scenpack(dir.path(), {"inspect", ".", "--json"});
  EXPECT_NE(json.out.find("\"testo\": \"SAN LI\u00d2\u20ac\\u001b[J\\u0007\""), std::string::npos) << json.out.substr(0, 600);
}

TEST_F(InspectCommand, JsonNamesEveryFieldAsTheFormatDoesAndAddsTheMeanings) {
  const auto r = run_scenpack(dir.path(), {"inspect", ".", "--json", "--cells", "424..424"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            R"({"scenario": "Tarvena1", "train": "84", "cells": [{"cell": 424, "metre": 21150, "kind": "signal", "tipo": 1, "dato1": 41, "dato2": 0, "dato3": 0, )"
            R"("dato4": 8, "tempo": 0, "avviso": 0, "galleria": 1, "dato5": 40, "dato6": 105, "dato7": 75, "span_from": 21200, "span_to": 21249, )"
            R"("speed_limit_kmh": 200, "gradient_per_mille": 5, "position_given": 21150, "code1_left": 4, "code1_right": 1, "code2_left": 0, )"
            R"("code2_right": 0, "code3_left": 0, "code3_right": 0, "group": 8, "time": 0}]})"
            "\n");
  // The map points of the cell's metres, with --map: 21200 to 21249.
  const auto map = run_scenpack(dir.path(), {"inspect", ".", "--json", "--cells", "424..424", "--map", "--raw"});
  EXPECT_NE(map.out.find(R"("dato7": 75}], "map": {"metres": 277001, "points_set": 276999, "points": [{"metre": 21200, "x": )"),
            std::string::npos);
  EXPECT_NE(map.out.find(R"({"metre": 21249, "x": )"), std::string::npos);
  EXPECT_EQ(map.out.find(R"({"metre": 21250, "x": )"), std::string::npos);

  const auto all = run_scenpack(dir.path(), {"inspect", "Tarvena1_84.sim", "--json"});
  ASSERT_EQ(all.status, 0) << all.err;
  EXPECT_NE(all.out.find(R"({"record": 1, "role": "station 1", "byte1": 8, "lungo1": -500, "lungo2": 500, "lungo3": 0, )"
                         R"("byte2": 1, "testo": "ROMA TERMINI", "intero1": 4, )"),
            std::string::npos);
  EXPECT_NE(all.out.find(R"("lungo4": 29400, "kind_name": "station of kind 8", "time": "08:10:00", "name": "ROMA TERMINI"})"),
            std::string::npos);
  EXPECT_EQ(all.out.find("\"cells\""), std::string::npos);  // the one file read

  const auto summary = run_scenpack(dir.path(), {"inspect", ".", "--summary", "--json"});
  ASSERT_EQ(summary.status, 0);
  EXPECT_NE(summary.out.find(R"("all_match": true)"), std::string::npos);
  EXPECT_NE(summary.out.find(R"({"record": 24, "testo": "AREZZO", "byte1": 4, "lungo3": 198750, )"), std::string::npos);
}

TEST_F(InspectCommand, BuildSummaryShowsWhatLanded) {
  ASSERT_EQ(run_scenpack(dir.path(), {"emit", "--dir", "."}).status, 0);
  const auto r = run_scenpack(dir.path(), {"build", "--quiet", "--summary"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto inspected = run_scenpack(dir.path(), {"inspect", ".", "--summary"});
  // The map is not part of a build's summary; everything else is the same.
  std::string expected = inspected.out;
  expected.erase(expected.find("route map "), expected.find("plain check") - expected.find("route map "));
  EXPECT_EQ(r.out, expected);
}

TEST_F(InspectCommand, RefusalsSayWhatAndExitAsTheKindOfFault) {
  std::string cells = slurp(dir.file("Tarvena1_84.dat"));
  spit(dir.file("Cut_84.dat"), cells.substr(0, 100));
  spit(dir.file("Odd_linea.dat"), std::string("\0\0", 2));
  spit(dir.file("notes.txt"), "a text");
  const struct Case {
    std::vector<std::string> args;
    int status;
    std::string err;
  } cases[] = {
      {{"inspect", "Cut_84.dat"}, 65, "scenpack: Cut_84.dat: byte 90: the file ends inside cell 6 (10 of its 15 bytes)\n"},
      {{"inspect", "Odd_linea.dat"}, 65,
       "scenpack: Odd_linea.dat: byte 2: the map holds 1 elements, an odd number (x and y need one each per metre)\n"},
      {{"inspect", ".", "--name", "Other"}, 66, "scenpack: cannot read ./Other_84.sim: No such file or directory\n"},
      {{"inspect", "missing.sim"}, 66, "scenpack: cannot read missing.sim: No such file or directory\n"},
      {{"inspect", "notes.txt"}, 64,
       "scenpack: cannot tell which file notes.txt is: its name must end in _linea.dat, .sim or .dat\n"},
      {{"inspect", ".", "--cells", "9..x"}, 64,
       "scenpack: --cells wants FROM..TO (cell numbers, either may be left out), not '9..x'\n"},
      {{"inspect"}, 64, "scenpack: inspect needs a directory or a compiled file\nTry 'scenpack --help' for more information.\n"},
  };
  for (const Case& c : cases) {
    const auto r = run_scenpack(dir.path(), c.args);
    EXPECT_EQ(r.status, c.status) << c.args.back();
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(r.out, "");
  }
  const auto kind = run_scenpack(dir.path(), {"inspect", ".", "--kind", "signals"});
  EXPECT_EQ(kind.status, 64);
  EXPECT_EQ(kind.err.rfind("scenpack: unknown cell kind 'signals' (nothing, signal, ", 0), 0u);
}

TEST_F(InspectCommand, PlotWritesTheSvgOrThePageTheNameAsks) {
  auto r = run_scenpack(dir.path(), {"plot", "."});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(slurp(dir.file("Tarvena1_84.svg")).rfind("<svg xmlns=", 0), 0u);
  r = run_scenpack(dir.path(), {"plot", ".", "--out", "route.html"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(slurp(dir.file("route.html")).rfind("<!DOCTYPE html>", 0), 0u);
  r = run_scenpack(dir.path(), {"plot", ".", "--out", "route.png"});
  EXPECT_EQ(r.status, 64);
  EXPECT_EQ(r.err, "scenpack: --out must name a .svg or an .html file, not 'route.png'\n");
  spit(dir.file("Bad_84.sim"), "x");
  r = run_scenpack(dir.path(), {"plot", "Bad_84.sim", "--out", "bad.svg"});
  EXPECT_EQ(r.status, 65);
  EXPECT_EQ(r.err, "scenpack: Bad_84.sim: byte 0: the file ends inside record 0 (1 bytes, at least 34 needed)\n");
}

// A scenario in a folder whose name goes beyond ASCII, as authors name
// their folders: on Windows every path goes through the wide names of the
// file system, so inspect and plot find it as the build did.
TEST_F(InspectCommand, InspectAndPlotFindAScenarioInAFolderNamedCitta) {
  const std::string folder = "citt\xc3\xa0";
  ASSERT_EQ(run_scenpack(dir.path(), {"run", "--dir", folder, "--quiet"}).status, 0);
  auto r = run_scenpack(dir.path(), {"inspect", "--summary", folder});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, run_scenpack(dir.path(), {"inspect", "--summary", "."}).out);
  r = run_scenpack(dir.path(), {"inspect", "--map", "--cells", "0..1", folder});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\n      0                        0                        0\n"), std::string::npos);
  r = run_scenpack(dir.path(), {"plot", folder, "--out", folder + "/linea.html"});
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_EQ(run_scenpack(dir.path(), {"plot", ".", "--out", "linea.html"}).status, 0);
  EXPECT_EQ(slurp(dir.file(folder + "/linea.html")), slurp(dir.file("linea.html")));
}

}  // namespace
}  // namespace scenpack
