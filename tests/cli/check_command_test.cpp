// scenpack check, run as a user types it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/json_objects.h"
#include "support/run_exe.h"
#include "support/temp_dir.h"

namespace scenpack {
namespace {

using namespace testing_support;

// Faults of several kinds in both descriptions: an occupied cell, an
// unreadable number in the middle of the line description, a position
// beyond the route, a short signal row, a refused station, a slow order
// whose cab-code windows are all taken.
const std::string kLine =
    "Linea di prova\r\n"
    "[generale]\r\n"
    "lunghezza percorso,    10000\r\n"
    "[pendenze]\r\n"
    "pendenza, 500, -7\r\n"
    "cartello indicatore, 6200, ( DOPPIO )\r\n"
    "cartello indicatore, 6220, ( BIVIO )\r\n"
    "pendenza, 1O00, 3\r\n"
    "montagna, 16901, 17000, 1\r\n"
    "pendenza, 2000, 1\r\n"
    "[fine]\r\n"
    "                \r\n";
const std::string kTrain =
    "treno\r\n"
    "[generale]\r\n"
    "velocita' limite, 0, 100\r\n"
    "segnale,  3550, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0\r\n"
    "segnale,  3550, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0\r\n"
    "stazione, 4525, 4, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X\r\n"
    "segnale,  2200, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0\r\n"
    "segnale,  2250, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0\r\n"
    "segnale,  2150, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0\r\n"
    "rallentamento, 2500, 50, 200, 0, 0, 0\r\n"
    "rallentamento, 20000, 50, 200, 0, 1, 50\r\n"
    "[fine]\r\n"
    "                \r\n";

struct Scene {
  TempDir src, dir, cwd;
  Scene() {
    spit(src.file("my line.txt"), kLine);
    spit(src.file("train.txt"), kTrain);
    spit(dir.file("Tarvena1_84.sim"), "old records");
  }
  ExeResult check(std::vector<std::string> extra = {}) const {
    std::vector<std::string> args = {"check", "--dir", dir.path(), "--line", src.file("my line.txt"),
                                     "--train", src.file("train.txt")};
    args.insert(args.end(), extra.begin(), extra.end());
    return run_scenpack(cwd.path(), args);
  }
  // Nothing was written, renamed or deleted anywhere.
  void expect_untouched() const {
    EXPECT_EQ(src.names(), (std::vector<std::string>{"my line.txt", "train.txt"}));
    EXPECT_EQ(slurp(src.file("my line.txt")), kLine);
    EXPECT_EQ(slurp(src.file("train.txt")), kTrain);
    EXPECT_EQ(dir.names(), std::vector<std::string>{"Tarvena1_84.sim"});
    EXPECT_EQ(slurp(dir.file("Tarvena1_84.sim")), "old records");
    EXPECT_TRUE(cwd.names().empty());
  }
};

TEST(CheckCommand, ListsEveryFaultInOrderInTheAuthorsFiles) {
  Scene s;
  const ExeResult r = s.check();
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "");
  const std::string line = s.src.file("my line.txt");
  const std::string train = s.src.file("train.txt");
  EXPECT_EQ(r.out,
            line + ":7:22: error: Errore n. 6, posizione 6220: the text board lands in cell 125 (6200-6249 m), "
                   "which holds a text board\n"
                   "cartello indicatore, 6220, ( BIVIO )\n"
                   "                     ^\n" +
            line + ":6:22: note: the text board placed there\n" +
            line + ":8:11: error: Errore n. 25: the gradient: \"1O00\" is not a number\n"
            "pendenza, 1O00, 3\n"
            "          ^\n" +
            line + ":8: note: the rest of line 8 was skipped\n" +
            line + ":9:11: error: Errore n. 15, posizione 16901: position beyond the last track cell\n"
            "montagna, 16901, 17000, 1\n"
            "          ^\n" +
            train + ":5:11: error: Errore n. 16, posizione 3550: the signal lands in cell 72 (3550-3599 m), which "
                    "holds a signal\n"
                    "segnale,  3550, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0\n"
                    "          ^\n" +
            train + ":4:11: note: the signal placed there\n" +
            train + ":6:11: error: Errore n. 8, posizione 4525: station position not a multiple of 50\n"
            "stazione, 4525, 4, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X\n"
            "          ^\n" +
            train + ":10:16: error: Errore n. 12, posizione 2550: no free cell for a code point 5 to 7 cells before "
                    "the slow order starting at 2500 m: cells 44-46 (2150-2299 m) each hold a signal\n"
                    "rallentamento, 2500, 50, 200, 0, 0, 0\n"
                    "               ^\n" +
            train + ":9:11: note: the signal placed there\n" +
            train + ":7:11: note: the signal placed there\n" +
            train + ":8:11: note: the signal placed there\n" +
            train + ":11:16: error: Errore n. 15, posizione 20000: position beyond the last track cell\n"
            "rallentamento, 20000, 50, 200, 0, 1, 50\n"
            "               ^\n"
            "7 errors, 0 warnings\n");
  s.expect_untouched();
}

TEST(CheckCommand, JsonCarriesEveryFieldAndMaxErrorsStops) {
  Scene s;
  const ExeResult r = s.check({"--format", "json", "--max-errors", "2"});
  EXPECT_EQ(r.status, 1);
  const auto list = JsonArrayReader(r.out).read();
  ASSERT_TRUE(list.has_value()) << r.out;
  ASSERT_EQ(list->size(), 3u) << r.out;  // two errors, then the note that says it stopped
  const JsonObject& second = (*list)[1];
  EXPECT_EQ(second, (JsonObject{{"file", s.src.file("my line.txt")},
                                {"line", "8"},
                                {"column", "11"},
                                {"severity", "error"},
                                {"code", "25"},
                                {"position", "0"},
                                {"message", "the gradient: \"1O00\" is not a number"},
                                {"related", "[]"}}));
  EXPECT_EQ((*list)[2].at("severity"), "note");
  EXPECT_NE((*list)[2].at("message").find("stopped after 2 errors"), std::string::npos);
  s.expect_untouched();

  const ExeResult text = s.check({"--max-errors=2"});
  EXPECT_NE(text.out.find("2 errors, 0 warnings\n"), std::string::npos) << text.out;
}

// A warning about a record that meets an earlier one names that one as a
// note, in check (under the source line) and on build's stderr alike; -Wno-NAME
// silences it with its note, and the build's status stays 0.
TEST(CheckCommand, AWarningNamesTheEarlierRecordAsANote) {
  TempDir dir;
  spit(dir.file("linea.txt"), "Linea\r\n[generale]\r\nlunghezza percorso, 10000\r\n[montagne]\r\n"
                              "montagna, 3000, 5000, 1\r\nmontagna, 3500, 4000, 1\r\n[fine]\r\n\r\n");
  spit(dir.file("treno.txt"), "treno\r\n[generale]\r\n[fine]\r\n\r\n");
  const std::string warning =
      "linea.txt:6:11: warning: the tunnel from 3500 to 4000 m starts inside the tunnel from 3000 to 5000 m: the "
      "cells they share get this one's kind 3, not 1 (kind 1 is made 3: it starts 150 m or less after the previous "
      "tunnel's end) [-Wtunnel-in-tunnel]\n";
  const std::string note = "linea.txt:5:11: note: the tunnel from 3000 to 5000 m\n";
  const ExeResult checked = run_scenpack(dir.path(), {"check", "--line", "linea.txt", "--train", "treno.txt"});
  EXPECT_EQ(checked.out, warning + "montagna, 3500, 4000, 1\n          ^\n" + note + "0 errors, 1 warning\n");
  const ExeResult built =
      run_scenpack(dir.path(), {"build", "--quiet", "--line", "linea.txt", "--train", "treno.txt"});
  EXPECT_EQ(built.status, 0);
  EXPECT_EQ(built.err, warning + note);
  const ExeResult silenced = run_scenpack(
      dir.path(), {"build", "--quiet", "--line", "linea.txt", "--train", "treno.txt", "-Wno-tunnel-in-tunnel"});
  EXPECT_EQ(silenced.status, 0);
  EXPECT_EQ(silenced.err, "");
}

// The scenario the program holds checks clean.
TEST(CheckCommand, EmbeddedScenarioHasNoError) {
  TempDir dir;
  ASSERT_EQ(run_scenpack(dir.path(), {"emit"}).status, 0);
  const std::vector<std::string> before = dir.names();
  const ExeResult r = run_scenpack(dir.path(), {"check"});
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(r.out.find("error:"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("0 errors"), std::string::npos) << r.out;
  EXPECT_EQ(dir.names(), before);
}

TEST(CheckCommand, WorkingTextsAreListedByTheirPathAndMissingOnesAreFaults) {
  TempDir dir, cwd;
  const ExeResult r = run_scenpack(cwd.path(), {"check", "--dir", dir.path(), "--name", "Valle"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out.rfind(dir.file("Valle_linea.txt") + ": error: Errore n. 101:", 0), 0u) << r.out;
  EXPECT_TRUE(dir.names().empty());
  EXPECT_TRUE(cwd.names().empty());
}

TEST(CheckCommand, UsageAndUnreadableFiles) {
  TempDir dir;
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"check", "--format", "xml"},
           {"check", "--max-errors", "0"},
           {"check", "--max-errors", "two"},
           {"check", "--report", "r.json"},
           {"check", "--quiet"},
       }) {
    SCOPED_TRACE(args[1]);
    const ExeResult r = run_scenpack(dir.path(), args);
    EXPECT_EQ(r.status, 64);
    EXPECT_EQ(r.out, "");
  }
  const ExeResult missing = run_scenpack(dir.path(), {"check", "--train", "nope.txt"});
  EXPECT_EQ(missing.status, 66);
  EXPECT_EQ(missing.err, "scenpack: cannot read nope.txt: No such file or directory\n");
  EXPECT_TRUE(dir.names().empty());
}

}  // namespace
}  // namespace scenpack
