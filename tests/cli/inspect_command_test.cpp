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

TEST_F(InspectCommand, CellsOfOneKindInARange) {
  const auto r = run_scenpack(dir.path(), {"inspect", ".", "--kind", "signal", "--cells", "400..430"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "cells (5541)\n"
            "   cell    metre  kind                  tipo   dato1   dato2   dato3   dato4   tempo  avviso galleria   dato5   dato6   dato7\n"
            "    424    21150  signal                   1      41       0       0       8       0       0       1      40     105      75\n");
}

TEST_F(InspectCommand, JsonNamesEveryFieldAsTheFormatDoes) {
  const auto r = run_scenpack(dir.path(), {"inspect", ".", "--json", "--cells", "424..424"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find(R"({"cell": 424, "metre": 21150, "kind": "signal", "tipo": 1, "dato1": 41, "dato2": 0, "dato3": 0, )"
                       R"("dato4": 8, "tempo": 0, "avviso": 0, "galleria": 1, "dato5": 40, "dato6": 105, "dato7": 75})"),
            std::string::npos)
      << r.out.substr(0, 400);
  // The map points of the cell's metres: 21200 to 21249.
  EXPECT_NE(r.out.find(R"("map": {"metres": 277001, "points_set": 276999, "points": [{"metre": 21200, "x": )"), std::string::npos);
  EXPECT_NE(r.out.find(R"({"metre": 21249, "x": )"), std::string::npos);
  EXPECT_EQ(r.out.find(R"({"metre": 21250, "x": )"), std::string::npos);

  const auto all = run_scenpack(dir.path(), {"inspect", "Tarvena1_84.sim", "--json"});
  ASSERT_EQ(all.status, 0) << all.err;
  EXPECT_NE(all.out.find(R"({"record": 1, "role": "station 1", "byte1": 8, "lungo1": -500, "lungo2": 500, "lungo3": 0, )"
                         R"("byte2": 1, "testo": "ROMA TERMINI", "intero1": 4, )"),
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

}  // namespace
}  // namespace scenpack
