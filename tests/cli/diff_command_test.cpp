#include <gtest/gtest.h>

#include <filesystem>

#include "support/run_exe.h"

namespace scenpack {
namespace {

using testing_support::run_scenpack;
using testing_support::slurp;
using testing_support::spit;
using testing_support::TempDir;

// The embedded scenario in "a", and in "b" rebuilt from its texts with one
// speed limit changed, one signal moved 100 m and one station's time.
class DiffCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(run_scenpack(dir.path(), {"emit", "--dir", "."}).status, 0);
    std::string train = slurp(dir.file("Tarvena1_84-.txt"));
    for (const auto& [from, to] : {std::pair<std::string, std::string>{"velocita' limite ,  7150    ,  110", "velocita' limite ,  7150    ,  100"},
                                   {"segnale,   3650,", "segnale,   3750,"},
                                   {"8, 38, 0, AREZZO", "8, 40, 0, AREZZO"}}) {
      const size_t at = train.find(from);
      ASSERT_NE(at, std::string::npos) << from;
      train.replace(at, from.size(), to);
    }
    for (const char* side : {"a", "b"}) {
      const std::string build_dir = dir.file(side);
      std::filesystem::create_directory(build_dir);
      spit(build_dir + "/Tarvena1_linea.txt", slurp(dir.file("Tarvena1_linea.txt")));
      spit(build_dir + "/Tarvena1_84-.txt", side[0] == 'a' ? slurp(dir.file("Tarvena1_84-.txt")) : train);
      ASSERT_EQ(run_scenpack(dir.path(), {"build", "--dir", side, "--quiet", "-w"}).status, 0);
    }
  }
  TempDir dir;
};

TEST_F(DiffCommand, ListsExactlyWhatTheEditChangedInTheAuthorsTerms) {
  const auto same = run_scenpack(dir.path(), {"diff", "a", "a"});
  EXPECT_EQ(same.status, 0);
  EXPECT_EQ(same.out, "");
  EXPECT_EQ(same.err, "");

  const auto r = run_scenpack(dir.path(), {"diff", "a", "b"});
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_EQ(r.out,
            "records\n"
            "  station 24 \"AREZZO\": time 08:38:00 -> 08:40:00 (lungo4 31080 -> 31200)\n"
            "cells\n"
            "  speed limit 110 -> 100 km/h over 7150-16249 m\n"
            "  moved: signal from 3650 m to 3750 m (cell 74 -> 76): signal at 3750 m: codes 3|2 1|1 0|0, group 8, time 0 "
            "(and the look-back values before it)\n");

  const auto counts = run_scenpack(dir.path(), {"diff", "a", "b", "--summary"});
  EXPECT_EQ(counts.status, 1);
  EXPECT_EQ(counts.out, "records 1, track runs 1, objects 1, map 0\n");
  const auto json = run_scenpack(dir.path(), {"diff", "a", "a", "--json", "--summary"});
  EXPECT_EQ(json.out, R"({"same": true, "records": 0, "track": 0, "objects": 0, "map": 0, "missing": 0})" "\n");
}

TEST_F(DiffCommand, ComparesTwoFilesOfOneKindAndTheRouteMaps) {
  auto r = run_scenpack(dir.path(), {"diff", "a/Tarvena1_84.dat", "b/Tarvena1_84.dat", "--json"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find(R"({"what": "speed limit", "unit": "km/h", "before": 110, "after": 100, "first_cell": 143, )"
                       R"("last_cell": 324, "span_from": 7150, "span_to": 16249})"),
            std::string::npos)
      << r.out;

  // A curve drawn one class tighter bends the track from its start on.
  std::string line = slurp(dir.file("a/Tarvena1_linea.txt"));
  const size_t curve = line.find("curva");
  ASSERT_NE(curve, std::string::npos);
  const size_t digit = line.find_first_of("123456", curve);
  ASSERT_LT(digit, line.find('\n', curve));
  line[digit] = line[digit] == '6' ? '5' : static_cast<char>(line[digit] + 1);
  spit(dir.file("b/Tarvena1_linea.txt"), line);
  spit(dir.file("b/Tarvena1_84-.txt"), slurp(dir.file("a/Tarvena1_84-.txt")));
  ASSERT_EQ(run_scenpack(dir.path(), {"build", "--dir", "b", "--quiet", "-w"}).status, 0);
  r = run_scenpack(dir.path(), {"diff", "a/Tarvena1_linea.dat", "b/Tarvena1_linea.dat"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out.rfind("route map\n  first differing metre ", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("; largest distance between the tracks "), std::string::npos);
}

TEST_F(DiffCommand, RefusalsExitAsElsewhere) {
  spit(dir.file("Bad_84.sim"), "x");
  const struct Case {
    std::vector<std::string> args;
    int status;
    std::string err;
  } cases[] = {
      {{"diff", "a/Tarvena1_84.sim", "b/Tarvena1_84.dat"}, 64,
       "scenpack: diff compares two directories or two files of one kind, not a/Tarvena1_84.sim and b/Tarvena1_84.dat\n"},
      {{"diff", "a", "missing"}, 66, "scenpack: cannot read missing: No such file or directory\n"},
      {{"diff", "a/Tarvena1_84.sim", "Bad_84.sim"}, 65,
       "scenpack: Bad_84.sim: byte 0: the file ends inside record 0 (1 bytes, at least 34 needed)\n"},
      {{"diff", "a"}, 64, "scenpack: diff needs two directories or two compiled files\nTry 'scenpack --help' for more information.\n"},
  };
  for (const Case& c : cases) {
    const auto r = run_scenpack(dir.path(), c.args);
    EXPECT_EQ(r.status, c.status) << c.args.back();
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(r.out, "");
  }
}

}  // namespace
}  // namespace scenpack
