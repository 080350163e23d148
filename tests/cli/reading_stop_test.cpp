// What a build that stopped at a fault says its compiled files lack, and
// check where it stops at the same place.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/run_exe.h"
#include "support/temp_dir.h"

namespace scenpack {
namespace {

using namespace testing_support;

const std::string kLine =
    "Linea\r\n"
    "[generale]\r\n"
    "lunghezza percorso, 10000\r\n"
    "[pendenze]\r\n"
    "pendenza, 500, -7\r\n"
    "pendenza, 1000, 3\r\n"
    "[montagne]\r\n"
    "montagna, 2000, 3000, 1\r\n"
    "[fine]\r\n"
    "\r\n";
const std::string kTrain =
    "treno\r\n"
    "[generale]\r\n"
    "[segnali]\r\n"
    "segnale,  3550, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0\r\n"
    "segnale,  4550, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0\r\n"
    "segnale,  5550, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0\r\n"
    "segnale,  6550, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0\r\n"
    "[rallentamenti]\r\n"
    "rallentamento, 8000, 50, 200, 0, 0, 0\r\n"
    "[fine]\r\n"
    "\r\n";

// `from` replaced by `to` in `text` (once).
std::string with(std::string text, const std::string& from, const std::string& to) {
  return text.replace(text.find(from), from.size(), to);
}

// The train description with its second signal in the first one's cell.
const std::string kClashingTrain = with(kTrain, "4550", "3550");

struct Case {
  const char* what;
  std::string line, train;
  const char* err;  // build's stderr
};

TEST(ReadingStop, BuildSaysWhatTheCompiledFilesLack) {
  const Case cases[] = {
      {"a train fault: the rest of the train description",
       kLine, kClashingTrain,
       "treno.txt:5:11: error: Errore n. 16, posizione 3550: the signal lands in cell 72 (3550-3599 m), which holds a "
       "signal\n"
       "treno.txt:4:11: note: the signal placed there\n"
       "treno.txt:5:11: note: the reading stopped here; 2 signals and 1 slow order below are not in the compiled "
       "files\n"},
      {"a line fault: the rest of the line description and all of the train's",
       with(kLine, "pendenza, 500, -7", "pendenza, 5OO, -7"), kTrain,
       "linea.txt:5:11: error: Errore n. 25: the gradient: \"5OO\" is not a number\n"
       "linea.txt:5:11: note: the reading stopped here; 1 gradient and 1 tunnel below are not in the compiled "
       "files, nor is anything of the train description\n"},
      {"a fault on the last record: nothing below is lost, nothing said",
       kLine, with(kTrain, "rallentamento, 8000, 50, 200, 0, 0, 0", "segnale,  6550, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0"),
       "treno.txt:9:11: error: Errore n. 16, posizione 6550: the signal lands in cell 132 (6550-6599 m), which holds "
       "a signal\n"
       "treno.txt:7:11: note: the signal placed there\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    spit(dir.file("linea.txt"), c.line);
    spit(dir.file("treno.txt"), c.train);
    const ExeResult r = run_scenpack(dir.path(), {"build", "--quiet", "--line", "linea.txt", "--train", "treno.txt"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, c.err);
  }
}

TEST(ReadingStop, BuildSummaryMarksTheBuildIncomplete) {
  TempDir dir;
  spit(dir.file("linea.txt"), kLine);
  spit(dir.file("treno.txt"), kClashingTrain);
  const ExeResult r =
      run_scenpack(dir.path(), {"build", "--quiet", "--summary", "--line", "linea.txt", "--train", "treno.txt"});
  EXPECT_EQ(r.out.substr(0, r.out.find('\n', r.out.find('\n') + 1) + 1),
            "scenario Tarvena1, train 84\n"
            "incomplete           the reading stopped at treno.txt:5; 2 signals and 1 slow order below are not in "
            "the compiled files\n");

  spit(dir.file("treno.txt"), kTrain);
  const ExeResult whole =
      run_scenpack(dir.path(), {"build", "--quiet", "--summary", "--line", "linea.txt", "--train", "treno.txt"});
  EXPECT_EQ(whole.status, 0) << whole.err;
  EXPECT_EQ(whole.out.find("incomplete"), std::string::npos) << whole.out;
}

// check reads past most faults; a route too long ends the line
// description for it as for the build.
TEST(ReadingStop, CheckSaysItWhereItStopsAsTheBuildDoes) {
  TempDir dir;
  spit(dir.file("linea.txt"), with(kLine, "10000", "2000000"));
  spit(dir.file("treno.txt"), kTrain);
  const ExeResult r = run_scenpack(dir.path(), {"check", "--line", "linea.txt", "--train", "treno.txt"});
  EXPECT_EQ(r.out,
            "linea.txt:3:21: error: Errore n. 1: route length above 1000000\n"
            "lunghezza percorso, 2000000\n"
            "                    ^\n"
            "linea.txt:3:21: note: the reading stopped here; 2 gradients and 1 tunnel below are not in the compiled "
            "files, nor is anything of the train description\n"
            "linea.txt: note: the records after the route length were not checked, nor the train description\n"
            "1 error, 0 warnings\n");
  // A fault check reads past gets no such note.
  spit(dir.file("linea.txt"), kLine);
  const ExeResult past = run_scenpack(dir.path(), {"check", "--line", "linea.txt", "--train", "treno.txt"});
  EXPECT_EQ(past.out.find("the reading stopped"), std::string::npos) << past.out;
}

}  // namespace
}  // namespace scenpack
