// The author's mistakes whose fault lies in the meeting of two records, or
// in a record that took a reserved place: check names the other party with
// its own place as a note, and build's stderr says the same, the file first.
// Each case is a small description pair and the whole lines an author reads.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/run_exe.h"
#include "support/temp_dir.h"

namespace scenpack {
namespace {

using namespace testing_support;

struct Mistake {
  const char* name;
  const char* line_body;  // the line description's records after [pendenze]
  const char* train;      // the train description's records after [generale]
  const char* check;      // check's whole output
  const char* build;      // build's whole stderr, "" where the test does not build
};

const Mistake kMistakes[] = {
    {"signal_on_a_text_board_of_the_line", "cartello indicatore, 10300, BIVIO\r\n",
     "segnale, 10290, 1, 1, 0, 0, 0, 1, 1, 0, 0, 0\r\n",
     "t.txt:3:10: error: Errore n. 16, posizione 10290: the signal lands in cell 207 (10300-10349 m), which holds a "
     "text board\n"
     "segnale, 10290, 1, 1, 0, 0, 0, 1, 1, 0, 0, 0\n"
     "         ^\n"
     "l.txt:5:22: note: the text board placed there\n"
     "1 error, 0 warnings\n",
     "t.txt:3:10: error: Errore n. 16, posizione 10290: the signal lands in cell 207 (10300-10349 m), which holds a "
     "text board\n"
     "l.txt:5:22: note: the text board placed there\n"},
    {"text_board_on_a_text_board", "cartello indicatore, 6200, DOPPIO\r\ncartello indicatore, 6220, BIVIO\r\n", "",
     "l.txt:6:22: error: Errore n. 6, posizione 6220: the text board lands in cell 125 (6200-6249 m), which holds a "
     "text board\n"
     "cartello indicatore, 6220, BIVIO\n"
     "                     ^\n"
     "l.txt:5:22: note: the text board placed there\n"
     "1 error, 0 warnings\n",
     ""},
    {"speed_board_on_a_text_board", "cartello indicatore, 3000, BIVIO\r\nindicatori_vmax, 3010, 6,0,0,0, 6,0,0,0\r\n",
     "",
     "l.txt:6:18: error: Errore n. 21, posizione 3010: the speed board lands in cell 61 (3000-3049 m), which holds a "
     "text board\n"
     "indicatori_vmax, 3010, 6,0,0,0, 6,0,0,0\n"
     "                 ^\n"
     "l.txt:5:22: note: the text board placed there\n"
     "1 error, 0 warnings\n",
     "l.txt:6:18: error: Errore n. 21, posizione 3010: the speed board lands in cell 61 (3000-3049 m), which holds a "
     "text board\n"
     "l.txt:5:22: note: the text board placed there\n"
     "l.txt:6:18: note: the reading stopped here; nothing of the train description is in the compiled files\n"},
    {"code_cut_on_a_signal", "",
     "segnale, 5000, 1, 1, 0, 0, 0, 1, 1, 0, 0, 0\r\nabbattimento, 5050, 0\r\n",
     "t.txt:4:15: error: Errore n. 7, posizione 5050: the code cut lands in cell 101 (5050-5099 m), which holds a "
     "signal\n"
     "abbattimento, 5050, 0\n"
     "              ^\n"
     "t.txt:3:10: note: the signal placed there\n"
     "1 error, 0 warnings\n",
     ""},
    // The warning cell stands 1200 m before the start the message names.
    {"slow_order_warning_on_a_signal", "",
     "segnale, 10800, 1, 1, 0, 0, 0, 1, 1, 0, 0, 0\r\nrallentamento, 12000, 50, 200, 0, 0, 0\r\n",
     "t.txt:4:16: error: Errore n. 17, posizione 12000: the warning cell of the slow order starting at 12000 m, "
     "1200 m before its start, lands in cell 217 (10800-10849 m), which holds a signal\n"
     "rallentamento, 12000, 50, 200, 0, 0, 0\n"
     "               ^\n"
     "t.txt:3:10: note: the signal placed there\n"
     "1 error, 0 warnings\n",
     "t.txt:4:16: error: Errore n. 17, posizione 12000: the warning cell of the slow order starting at 12000 m, "
     "1200 m before its start, lands in cell 217 (10800-10849 m), which holds a signal\n"
     "t.txt:3:10: note: the signal placed there\n"},
    {"slow_order_start_on_a_code_cut", "",
     "abbattimento, 12000, 0\r\nrallentamento, 11950, 50, 200, 0, 0, 0\r\n",
     "t.txt:4:16: error: Errore n. 18, posizione 11950: the start of the slow order lands in cell 240 "
     "(11950-11999 m), which holds the start of a stretch without code\n"
     "rallentamento, 11950, 50, 200, 0, 0, 0\n"
     "               ^\n"
     "t.txt:3:15: note: the code cut placed there\n"
     "1 error, 0 warnings\n",
     ""},
    // The station's end mark stands one cell before its far end (15200 m).
    {"slow_order_end_on_a_station_end_mark", "",
     "stazione, 15000, 4, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, NOVA\r\nrallentamento, 14000, 50, 1100, 0, 0, 0\r\n",
     "t.txt:4:16: error: Errore n. 19, posizione 14000: the end of the slow order starting at 14000 m, at 15100 m, "
     "lands in cell 303 (15100-15149 m), which holds the end mark of a station\n"
     "rallentamento, 14000, 50, 1100, 0, 0, 0\n"
     "               ^\n"
     "t.txt:3:11: note: the station whose end mark is there\n"
     "1 error, 0 warnings\n",
     ""},
    {"slow_order_distance_board_on_a_speed_board", "indicatori_vmax, 10700, 6,0,0,0, 6,0,0,0\r\n",
     "rallentamento, 12000, 50, 200, 0, 1, 0\r\n",
     "t.txt:3:16: error: Errore n. 20, posizione 12000: distance board 2 of the slow order starting at 12000 m, "
     "before its warning cell, lands in cell 215 (10750-10799 m), which holds a speed board\n"
     "rallentamento, 12000, 50, 200, 0, 1, 0\n"
     "               ^\n"
     "l.txt:5:18: note: the speed board placed there\n"
     "1 error, 0 warnings\n",
     ""},
    {"signal_on_a_slow_order_start", "",
     "rallentamento, 12000, 50, 200, 0, 0, 0\r\nsegnale, 11990, 1, 1, 0, 0, 0, 1, 1, 0, 0, 0\r\n",
     "t.txt:4:10: error: Errore n. 16, posizione 11990: the signal lands in cell 241 (12000-12049 m), which holds the "
     "start of a slow order\n"
     "segnale, 11990, 1, 1, 0, 0, 0, 1, 1, 0, 0, 0\n"
     "         ^\n"
     "t.txt:3:16: note: the slow order that starts there\n"
     "1 error, 0 warnings\n",
     ""},
    // The code points the build places for a slow order: the fault names the
    // slow order (or the signal) that needs one, where it was sought and
    // what holds those cells, each holder as a note. These faults do not
    // stop the reading; build shows the last one.
    {"signal_ahead_of_a_warning_without_room", "indicatori_vmax, 10400, 6,0,0,0, 6,0,0,0\r\ncartello indicatore, 10450, BIVIO\r\n",
     "segnale, 10500, 1, 1, 0, 0, 0, 1, 1, 0, 0, 0\r\nrallentamento, 12000, 110, 200, 0, 0, 0\r\n",
     "t.txt:3:10: error: Errore n. 11, posizione 10550: no free cell for a code point before the signal in cell 211 "
     "(10500-10549 m), ahead of the warning cell of the slow order starting at 12000 m: cells 209-210 "
     "(10400-10499 m) hold a speed board and a text board\n"
     "segnale, 10500, 1, 1, 0, 0, 0, 1, 1, 0, 0, 0\n"
     "         ^\n"
     "t.txt:4:16: note: the slow order whose warning cell lies within 1000 m after the signal\n"
     "l.txt:5:18: note: the speed board placed there\n"
     "l.txt:6:22: note: the text board placed there\n"
     "1 error, 0 warnings\n",
     "t.txt:3:10: error: Errore n. 11, posizione 10550: no free cell for a code point before the signal in cell 211 "
     "(10500-10549 m), ahead of the warning cell of the slow order starting at 12000 m: cells 209-210 "
     "(10400-10499 m) hold a speed board and a text board\n"
     "t.txt:4:16: note: the slow order whose warning cell lies within 1000 m after the signal\n"
     "l.txt:5:18: note: the speed board placed there\n"
     "l.txt:6:22: note: the text board placed there\n"},
    {"window_before_a_slow_order_start_taken",
     "indicatori_vmax, 11650, 6,0,0,0, 6,0,0,0\r\ncartello indicatore, 11700, BIVIO\r\n",
     "segnale, 11750, 1, 1, 0, 0, 0, 1, 1, 0, 0, 0\r\nrallentamento, 12000, 110, 200, 0, 0, 0\r\n",
     "t.txt:4:16: error: Errore n. 12, posizione 12050: no free cell for a code point 5 to 7 cells before the slow "
     "order starting at 12000 m: cells 234-236 (11650-11799 m) hold a speed board, a text board and a signal\n"
     "rallentamento, 12000, 110, 200, 0, 0, 0\n"
     "               ^\n"
     "l.txt:5:18: note: the speed board placed there\n"
     "l.txt:6:22: note: the text board placed there\n"
     "t.txt:3:10: note: the signal placed there\n"
     "1 error, 0 warnings\n",
     "t.txt:4:16: error: Errore n. 12, posizione 12050: no free cell for a code point 5 to 7 cells before the slow "
     "order starting at 12000 m: cells 234-236 (11650-11799 m) hold a speed board, a text board and a signal\n"
     "l.txt:5:18: note: the speed board placed there\n"
     "l.txt:6:22: note: the text board placed there\n"
     "t.txt:3:10: note: the signal placed there\n"},
    {"code_point_along_a_slow_order_taken",
     "cartello indicatore, 14400, BIVIO\r\nindicatori_vmax, 14450, 6,0,0,0, 6,0,0,0\r\n",
     "rallentamento, 14000, 50, 1000, 0, 0, 0\r\nsegnale, 14350, 1, 1, 0, 0, 0, 1, 1, 0, 0, 0\r\n",
     "t.txt:3:16: error: Errore n. 13, posizione 14450: no free cell for a code point along the slow order starting "
     "at 14000 m, which needs one every 8 cells (400 m): cells 288-290 (14350-14499 m) hold a signal, a text board "
     "and a speed board; it gets no more along it\n"
     "rallentamento, 14000, 50, 1000, 0, 0, 0\n"
     "               ^\n"
     "t.txt:4:10: note: the signal placed there\n"
     "l.txt:5:22: note: the text board placed there\n"
     "l.txt:6:18: note: the speed board placed there\n"
     "1 error, 0 warnings\n",
     ""},
    {"signal_after_a_slow_order_without_room",
     "indicatori_vmax, 12300, 6,0,0,0, 6,0,0,0\r\ncartello indicatore, 12350, BIVIO\r\n",
     "rallentamento, 12000, 50, 200, 0, 0, 0\r\nsegnale, 12400, 1, 1, 0, 0, 0, 1, 1, 0, 0, 0\r\n",
     "t.txt:3:16: error: Errore n. 13, posizione 12250: no free cell for a code point before the signal in cell 249 "
     "(12400-12449 m), the first within 12 cells (600 m) after the end of the slow order starting at 12000 m: "
     "cells 247-248 (12300-12399 m) hold a speed board and a text board\n"
     "rallentamento, 12000, 50, 200, 0, 0, 0\n"
     "               ^\n"
     "t.txt:4:10: note: the signal placed there\n"
     "l.txt:5:18: note: the speed board placed there\n"
     "l.txt:6:22: note: the text board placed there\n"
     "1 error, 0 warnings\n",
     ""},
    // The walk along a slow order whose end does not follow its start goes
    // on to the last track cell (7000 m past the 20000 m route's end): the
    // position says that cell, the message why.
    {"slow_order_of_negative_length", "", "rallentamento, 15000, 50, -500, 0, 0, 0\r\n",
     "t.txt:3:16: error: Errore n. 13, posizione 27000: no end cell follows the start of the slow order starting at "
     "15000 m (its length of -500 m ends it at 14500 m, before its start): its code points every 8 cells were sought "
     "up to the last track cell, 540 (26950-26999 m), past the route's end\n"
     "rallentamento, 15000, 50, -500, 0, 0, 0\n"
     "               ^\n"
     "1 error, 0 warnings\n",
     "t.txt:3:16: error: Errore n. 13, posizione 27000: no end cell follows the start of the slow order starting at "
     "15000 m (its length of -500 m ends it at 14500 m, before its start): its code points every 8 cells were sought "
     "up to the last track cell, 540 (26950-26999 m), past the route's end\n"},
    {"slow_order_ending_in_its_start_cell", "", "rallentamento, 15000, 50, 10, 0, 0, 0\r\n",
     "t.txt:3:16: error: Errore n. 13, posizione 27000: no end cell follows the start of the slow order starting at "
     "15000 m (its length of 10 m ends it in its start cell): its code points every 8 cells were sought up to the "
     "last track cell, 540 (26950-26999 m), past the route's end\n"
     "rallentamento, 15000, 50, 10, 0, 0, 0\n"
     "               ^\n"
     "1 error, 0 warnings\n",
     ""},
    // A code point the build places in cell 1 takes the marker's place.
    {"code_point_of_a_slow_order_takes_the_marker", "cartello indicatore, 50, BIVIO\r\n",
     "segnale, 100, 1, 1, 0, 0, 0, 1, 1, 0, 0, 0\r\nrallentamento, 350, 110, 200, 0, 0, 0\r\n",
     "t.txt:4:16: error: Errore n. 1250: the code point placed for the slow order lands in cell 1 (0-49 m), where "
     "the marker 5121 is kept: nothing may stand in cell 1\n"
     "rallentamento, 350, 110, 200, 0, 0, 0\n"
     "               ^\n"
     "1 error, 0 warnings\n",
     ""},
    // Cell 1 keeps the marker 5121 and the plain check code: whatever a
    // record writes there stops the build, which then names the record.
    {"signal_at_0_m_takes_the_marker", "", "segnale, 0, 1, 1, 0, 0, 0, 1, 1, 0, 0, 0\r\n",
     "t.txt:3:10: error: Errore n. 1250: the signal lands in cell 1 (0-49 m), where the marker 5121 is kept: "
     "nothing may stand in cell 1\n"
     "segnale, 0, 1, 1, 0, 0, 0, 1, 1, 0, 0, 0\n"
     "         ^\n"
     "1 error, 0 warnings\n",
     " Errore n. 1250\n"
     "t.txt:3:10: error: Errore n. 1250: the signal lands in cell 1 (0-49 m), where the marker 5121 is kept: "
     "nothing may stand in cell 1\n"},
    {"signal_at_9_000_is_read_as_9_m", "", "segnale, 9.000, 1, 1, 0, 0, 0, 1, 1, 0, 0, 0\r\n",
     "t.txt:3:10: error: Errore n. 1250: the signal lands in cell 1 (0-49 m), where the marker 5121 is kept: "
     "nothing may stand in cell 1\n"
     "segnale, 9.000, 1, 1, 0, 0, 0, 1, 1, 0, 0, 0\n"
     "         ^\n"
     "1 error, 0 warnings\n",
     ""},
    {"text_board_at_0_m_takes_the_marker", "cartello indicatore, 0, PROVA\r\n", "",
     "l.txt:5:22: error: Errore n. 1250: the text board lands in cell 1 (0-49 m), where the marker 5121 is kept: "
     "nothing may stand in cell 1\n"
     "cartello indicatore, 0, PROVA\n"
     "                     ^\n"
     "1 error, 0 warnings\n",
     " Errore n. 1250\n"
     "l.txt:5:22: error: Errore n. 1250: the text board lands in cell 1 (0-49 m), where the marker 5121 is kept: "
     "nothing may stand in cell 1\n"},
    {"code_cut_at_50_m_takes_the_marker", "", "abbattimento, 50, 100\r\n",
     "t.txt:3:15: error: Errore n. 1250: the code cut lands in cell 1 (50-99 m), where the marker 5121 is kept: "
     "nothing may stand in cell 1\n"
     "abbattimento, 50, 100\n"
     "              ^\n"
     "1 error, 0 warnings\n",
     ""},
    // A signal whose first codes are 0 leaves the marker's place empty and
    // takes the check code's.
    {"signal_at_0_m_takes_the_check_code", "", "segnale, 0, 1, 0, 2, 0, 0, 1, 0, 2, 0, 0\r\n",
     "t.txt:3:10: error: Errore n. 1251: the signal lands in cell 1 (0-49 m), where the check code is kept: "
     "nothing may stand in cell 1\n"
     "segnale, 0, 1, 0, 2, 0, 0, 1, 0, 2, 0, 0\n"
     "         ^\n"
     "1 error, 0 warnings\n",
     " Errore n. 1251\n"
     "t.txt:3:10: error: Errore n. 1251: the signal lands in cell 1 (0-49 m), where the check code is kept: "
     "nothing may stand in cell 1\n"},
};

class CauseMessages : public ::testing::TestWithParam<Mistake> {
 protected:
  void SetUp() override {
    spit(src.file("l.txt"), std::string("linea\r\n[generale]\r\nlunghezza percorso, 20000\r\n[pendenze]\r\n") +
                                GetParam().line_body + "[fine]\r\n\r\n");
    spit(src.file("t.txt"), std::string("treno\r\n[generale]\r\n") + GetParam().train + "[fine]\r\n\r\n");
  }
  ExeResult run(std::vector<std::string> command) const {
    for (const char* a : {"--dir", dir.path().c_str(), "--line", "l.txt", "--train", "t.txt"}) command.push_back(a);
    return run_scenpack(src.path(), command);
  }
  TempDir src, dir;
};

TEST_P(CauseMessages, CheckAndBuildNameTheCause) {
  const ExeResult checked = run({"check"});
  EXPECT_EQ(checked.out, GetParam().check);
  EXPECT_EQ(checked.status, 1);
  if (std::string(GetParam().build).empty()) return;
  const ExeResult built = run({"build", "--quiet"});
  EXPECT_EQ(built.err, GetParam().build);
}

INSTANTIATE_TEST_SUITE_P(Cases, CauseMessages, ::testing::ValuesIn(kMistakes),
                         [](const ::testing::TestParamInfo<Mistake>& i) { return std::string(i.param.name); });

// The report of a build of the given train records (the line holds none)
// and the build's exit status.
struct BuiltReport {
  int status;
  std::string report;
};

BuiltReport build_with_report(const char* train) {
  TempDir src, dir;
  spit(src.file("l.txt"), "linea\r\n[generale]\r\nlunghezza percorso, 20000\r\n[pendenze]\r\n[fine]\r\n\r\n");
  spit(src.file("t.txt"), std::string("treno\r\n[generale]\r\n") + train + "[fine]\r\n\r\n");
  const ExeResult built = run_scenpack(src.path(), {"build", "--quiet", "--dir", dir.path(), "--line", "l.txt",
                                                    "--train", "t.txt", "--report", "r.json"});
  return {built.status, slurp(src.file("r.json"))};
}

// The report of a build stopped at a taken reserved place holds the place
// of the record that took it; its message stays the message box's text.
TEST(CauseMessages, TheReportOfATakenReservedPlaceNamesTheRecord) {
  const BuiltReport built = build_with_report("segnale, 0, 1, 1, 0, 0, 0, 1, 1, 0, 0, 0\r\n");
  EXPECT_EQ(built.status, 2);
  EXPECT_NE(built.report.find("\"codice_errore\": 1250, \"posizione_errore\": 0, \"file\": \"t.txt\", \"line\": 3, "
                              "\"column\": 10, \"message\": \" Errore n. 1250\","),
            std::string::npos)
      << built.report;
}

// A build whose last fault is the cab-code pass's (worded only once the
// pass is over) reports the slow order's place; its message keeps the
// code's explanation, and the compiled files are written.
TEST(CauseMessages, TheReportOfACodePointFaultNamesTheSlowOrder) {
  const BuiltReport built = build_with_report("rallentamento, 15000, 50, -500, 0, 0, 0\r\n");
  EXPECT_EQ(built.status, 1);
  EXPECT_NE(built.report.find("\"codice_errore\": 13, \"posizione_errore\": 27000, \"file\": \"t.txt\", \"line\": 3, "
                              "\"column\": 16, \"message\": \"scenpack:t.txt:3:16: Errore n. 13, posizione 27000: "
                              "no free cell for a code point along a slow order or before the signal after it\","),
            std::string::npos)
      << built.report;
  EXPECT_NE(built.report.find("\"files\": [\"Tarvena1_linea.dat\", \"Tarvena1_84.sim\", \"Tarvena1_84.dat\"]"),
            std::string::npos)
      << built.report;
}

}  // namespace
}  // namespace scenpack
