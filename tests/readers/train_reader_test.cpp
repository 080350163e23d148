#include "readers/train_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/errors.h"
#include "readers/read_fault.h"
#include "readers/train_text_fixture.h"

namespace scenpack {
namespace {

using testing::TrainTextFixture;
using testing::train_text;

constexpr const char* kTrainText = "Tarvena1_84-.txt";
constexpr int kFirstRowLine = 3;  // after the title and "[generale]"

TEST(TrainReader, GeneralDataClockAndAdhesion) {
  TrainTextFixture f;
  f.read_rows({"numero vetture,    12", "percentuale massa frenata,    130", "sabbia,    300",
                           "orologio,    8               9             25 ", "[aderenze] ", "aderenza,       0, 75"});
  EXPECT_EQ(f.t.error_state.codice_errore, 0);
  EXPECT_EQ(f.t.schede[84].lungo3, 12);
  EXPECT_EQ(f.t.schede[84].lungo1, 130);
  EXPECT_EQ(f.t.schede[86].intero1, 300);
  EXPECT_EQ(f.t.schede[86].intero3, 8);
  EXPECT_EQ(f.t.schede[86].intero4, 9);
  EXPECT_EQ(f.t.schede[86].intero5, 25);
  EXPECT_EQ(f.cell(0).dato7, 75);
  EXPECT_EQ(f.cell(5537).dato7, 75);
  EXPECT_EQ(f.cell(5538).dato7, 0);
}

TEST(TrainReader, KeywordsInAnyCaseAnywhereInTheField) {
  TrainTextFixture f;
  f.read_rows({"NUMERO VETTURE, 9", "la Percentuale di MASSA Frenata, 95", "Velocita' LIMITE, 0, 100"});
  EXPECT_EQ(f.t.schede[84].lungo3, 9);
  EXPECT_EQ(f.t.schede[84].lungo1, 95);
  EXPECT_EQ(f.cell(100).dato5, 20);
}

TEST(TrainReader, OneFieldWithTwoKeywordsRunsBoth) {
  TrainTextFixture f;
  f.read_rows({"sabbia e vetture, 7, 250"});
  EXPECT_EQ(f.t.schede[84].lungo3, 7);
  EXPECT_EQ(f.t.schede[86].intero1, 250);
}

TEST(TrainReader, FieldsBeforeTheGeneralSectionArePassedOver) {
  TrainTextFixture f;
  f.write("numero vetture, 99\r\nsabbia, 5\r\n[generale]\r\nnumero vetture, 12\r\n[fine]\r\n");
  f.read();
  EXPECT_EQ(f.t.schede[84].lungo3, 12);
  EXPECT_EQ(f.t.schede[86].intero1, 0);
}

TEST(TrainReader, TextWithoutGeneralSectionOnlyFills) {
  TrainTextFixture f;
  f.write("numero vetture, 99\r\nvelocita' limite, 0, 100\r\n");
  f.read();
  EXPECT_EQ(f.t.error_state.codice_errore, 0);
  EXPECT_EQ(f.t.schede[84].lungo3, 0);
  EXPECT_EQ(f.cell(0).dato5, 0);
}

TEST(TrainReader, TheLastFieldOfTheTextIsNeverExamined) {
  struct Case {
    const char* tail;
    int32_t vetture;
  } cases[] = {
      {"numero vetture, 12\r\n", 12},  // the keyword is not the last field: its number is read
      {"numero vetture, 12", 12},
      {"numero vetture\r\n", 0},       // the keyword alone is the last field
      {"segnale", 0},                  // and is not read, so nothing is read past the end
      {"- commento\r\nnumero vetture", 0},
  };
  for (const Case& c : cases) {
    TrainTextFixture f;
    f.write(std::string("[generale]\r\nsabbia, 1\r\n") + c.tail);
    f.read();
    EXPECT_EQ(f.t.error_state.codice_errore, 0) << c.tail;
    EXPECT_EQ(f.t.schede[84].lungo3, c.vetture) << c.tail;
    EXPECT_EQ(f.t.schede[86].intero1, 1) << c.tail;
  }
}

TEST(TrainReader, AtMostTwoCommentFieldsAreSkipped) {
  TrainTextFixture f;
  f.read_rows({"- uno", "- due", "-numero vetture, 7", "- tre", "- quattro", "sabbia, 300",
                           "-segnale,   9100, 2, 4, 0, 0, 0,     2, 1, 0, 0, 0"});
  EXPECT_EQ(f.t.schede[84].lungo3, 7);  // the third comment field in a row is data
  EXPECT_EQ(f.t.schede[86].intero1, 300);
  for (const Cella& c : f.t.celle) EXPECT_EQ(c.tipo, kind::kNothing);  // the disabled signal
}

TEST(TrainReader, SlowOrderRowWithoutAComma) {
  TrainTextFixture f;
  f.read_rows({"rallentamento, 262800, 30, 350  1, 0, 30", "numero vetture, 12"});
  EXPECT_EQ(f.t.error_state.codice_errore, 0);
  EXPECT_EQ(f.cell(5257).tipo, kind::kSlowdownStart);
  EXPECT_EQ(f.cell(5257).dato1, 30);
  EXPECT_EQ(f.cell(5257).dato2, 30);
  EXPECT_EQ(f.cell(5257).dato3, 1);
  EXPECT_EQ(f.cell(5264).tipo, kind::kSlowdownEnd);  // (262800 + 350) / 50 + 1 = 5264
  EXPECT_EQ(f.cell(5233).tipo, kind::kSlowdownWarning);
  EXPECT_EQ(f.cell(5232).tipo, kind::kNothing);  // f_ta 0: no boards
  EXPECT_EQ(f.t.schede[84].lungo3, 12);
}

TEST(TrainReader, SpeedLimitLines) {
  TrainTextFixture f;
  f.read_rows({"[vel_limite]", "", "velocita' limite ,     0    ,   30",
                           "velocita' limite ,   650    ,   95"});
  for (int i = 0; i <= 12; ++i) EXPECT_EQ(f.cell(i).dato5, 6) << i;
  EXPECT_EQ(f.cell(13).dato5, 19);
  EXPECT_EQ(f.cell(5537).dato5, 19);
  EXPECT_EQ(f.cell(5538).dato5, 0);
}

TEST(TrainReader, PositionCheckBoundary) {
  // n_celle 5540: (p + 100) / 50 may reach 5540 but not pass it.
  TrainTextFixture f;
  f.read_rows({"segnale, 276900, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0"});
  EXPECT_EQ(f.t.error_state.codice_errore, 0);
  EXPECT_EQ(f.cell(5539).tipo, kind::kSignal);
}

// Each fault row stands on line kFirstRowLine + 2, after a speed line at 0
// and a station; a row after it shows whether the reading went on.
TEST(TrainReader, EveryStopWithItsCodePositionAndFiles) {
  struct Case {
    const char* setup;  // row before the fault row
    const char* row;
    int32_t code;
    std::optional<int32_t> position;
    bool filled;  // the end-of-file fill ran
    int32_t board_record = kFirstBoardRecord;
  } cases[] = {
      {"segnale, 20500, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0", "segnale, 20500, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0", 16, 20500,
       false},
      {"segnale, 8100, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0", "rallentamento, 9300, 50, 200, 0, 1, 50", 17, 9300, false},
      {"segnale, 9300, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0", "rallentamento, 9300, 50, 200, 0, 1, 50", 18, 9300, false},
      {"segnale, 9500, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0", "rallentamento, 9300, 50, 200, 0, 1, 50", 19, 9300, false},
      {"segnale, 8000, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0", "rallentamento, 9300, 50, 200, 0, 1, 50", 20, 9300, false},
      {"segnale, 5250, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0", "abbattimento codice, 5300,270", 7, 5300, false},
      {"sabbia, 1", "stazione, 4525, 4, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X", 8, 4525, false},
      {"sabbia, 1", "stazione, 4500, 4, 450, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X", 9, 4500, false},
      {"sabbia, 1", "stazione, 1000, 4, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X", 22, 1000, false},
      {"sabbia, 1", "stazione, -500, 4, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X", 24, std::nullopt, false},
      {"sabbia, 1", "stazione, 4500, 4, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X", 10, std::nullopt, false, 3},
      {"sabbia, 1", "segnale, 276901, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0", 15, 276901, true},
      {"sabbia, 1", "rallentamento, 276950, 50, 200, 0, 1, 50", 15, 276950, true},
      {"sabbia, 1", "abbattimento codice, 277000,270", 15, 277000, true},
      {"sabbia, 1", "velocita' limite, 300000, 60", 15, 300000, true},
      {"sabbia, 1", "aderenza, 276901, 60", 15, 276901, true},
      {"sabbia, 1", "stazione, 276250, 4, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X", 15, 276250, true},
  };
  for (const Case& c : cases) {
    TrainTextFixture f;
    f.t.error_state.posizione_errore = -1;
    f.read_rows({"velocita' limite, 0, 30",
                             "stazione,      0,  8, 500,  1, 0, 0,   4,0,0,  2,1,0,  1, 8, 10, 0, ROMA TERMINI",
                             c.setup, c.row, "numero vetture, 12"},
                            c.board_record);
    const ErrorState& e = f.t.error_state;
    EXPECT_EQ(e.codice_errore, c.code) << c.row;
    EXPECT_EQ(e.posizione_errore, c.position.value_or(-1)) << c.row;
    ASSERT_TRUE(e.where.has_value()) << c.row;
    EXPECT_EQ(e.where->file, kTrainText) << c.row;
    EXPECT_EQ(e.where->line, kFirstRowLine + 3) << c.row;
    EXPECT_EQ(f.t.schede[84].lungo3, 0) << c.row;  // nothing after the fault row is read
    EXPECT_EQ(f.cell(4000).dato5, c.filled ? 6 : 0) << c.row;
  }
}

TEST(TrainReader, FaultMessageNamesTheTrainTextAndLine) {
  TrainTextFixture f;
  f.read_rows({"segnale, 20500, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0", "- avviso",
                           "segnale, 20500, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0"});
  EXPECT_EQ(fault_message(f.t.error_state),
            "scenpack:Tarvena1_84-.txt:5:10: Errore n. 16, posizione 20500: signal on an occupied cell");
}

// A route position fault of the line description (15) leaves the train
// description to be read whole: only a fault of the train reading's own
// calls stops it, and the line's 15 stands when there is none.
TEST(TrainReader, LineFaultFifteenDoesNotStopTheTrainReading) {
  TrainTextFixture f;
  record_fault(f.t.error_state, FaultCode::kBeyondLastCell, 300000, SourceLocation{"Tarvena1_linea.txt", 40, 5});
  f.read_rows({"velocita' limite, 0, 30", "segnale, 20500, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0",
                           "rallentamento, 9300, 50, 200, 0, 1, 50", "abbattimento codice, 5300,270",
                           "stazione,      0,  8, 500,  1, 0, 0,   4,0,0,  2,1,0,  1, 8, 10, 0, ROMA TERMINI",
                           "segnale, 30500, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0", "numero vetture, 12"});
  EXPECT_EQ(f.cell(411).tipo, kind::kSignal);
  EXPECT_EQ(f.cell(187).tipo, kind::kSlowdownStart);
  EXPECT_EQ(f.cell(106).tipo, kind::kCodePoint);
  EXPECT_EQ(f.t.schede[1].testo, "ROMA TERMINI");
  EXPECT_EQ(f.cell(611).tipo, kind::kSignal);
  EXPECT_EQ(f.t.schede[84].lungo3, 12);
  EXPECT_EQ(f.cell(5000).dato5, 6);
  EXPECT_EQ(f.t.error_state.codice_errore, 15);
  EXPECT_EQ(f.t.error_state.posizione_errore, 300000);
  ASSERT_TRUE(f.t.error_state.where.has_value());
  EXPECT_EQ(f.t.error_state.where->file, "Tarvena1_linea.txt");
}

TEST(TrainReader, LineFaultFifteenGivesWayToATrainFault) {
  TrainTextFixture f;
  record_fault(f.t.error_state, FaultCode::kBeyondLastCell, 300000, SourceLocation{"Tarvena1_linea.txt", 40, 5});
  f.read_rows({"segnale, 20500, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0",
                           "segnale, 20500, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0"});
  EXPECT_EQ(f.t.error_state.codice_errore, 16);
  EXPECT_EQ(f.t.error_state.posizione_errore, 20500);
  EXPECT_EQ(f.t.error_state.where->file, kTrainText);
}

TEST(TrainReader, ChainageCheckRunsOnlyAfterTheEndOrAFifteen) {
  struct Case {
    const char* row;
    int32_t code;
  } cases[] = {
      {"numero vetture, 12", 2},
      {"segnale, 276901, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0", 2},  // 2 replaces 15
      {"abbattimento codice, 0,0", 7},                        // a stop without the fill: no check
  };
  for (const Case& c : cases) {
    TrainTextFixture f;
    f.t.schede[82].lungo2 = -6525;
    f.t.celle[0].tipo = kind::kSignal;
    f.read_rows({c.row});
    EXPECT_EQ(f.t.error_state.codice_errore, c.code) << c.row;
  }
  TrainTextFixture sound;
  sound.t.schede[81] = Scheda{};
  sound.t.schede[81].lungo1 = 190600;
  sound.t.schede[81].lungo2 = 28600;
  sound.t.schede[82].lungo2 = -6550;
  sound.read_rows({"sabbia, 1"});
  EXPECT_EQ(sound.t.error_state.codice_errore, 0);
}

TEST(TrainReader, RunTimeFaultsPropagate) {
  struct Case {
    const char* row;
    int line;
  } cases[] = {
      {"numero vetture, dodici", kFirstRowLine + 1},
      {"sabbia, 40000", kFirstRowLine + 1},                          // an Integer field
      {"velocita' limite, 650, 95", kFirstRowLine},                  // 1278, on the line before
      {"segnale, -1000, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0", kFirstRowLine + 1},  // no such cell
  };
  for (const Case& c : cases) {
    TrainTextFixture f;
    f.write(train_text({"velocita' limite, 0, 1278", c.row}));
    try {
      f.read();
      ADD_FAILURE() << "no ReadFault for " << c.row;
    } catch (const ReadFault& fault) {
      EXPECT_EQ(fault.line, c.line) << c.row << ": " << fault.what;
    }  // the caller's handler removes both texts
  }
}

// A fault names the record and what was found, at the line and column of
// the offending value: a row one number short is reported on its own line
// (not on the next row whose keyword its read took), a speed that does not
// fit on the speed's own line (not where the fill meets it).
TEST(TrainReader, FaultsSayWhatWasReadAndWhatWasFound) {
  struct Case {
    std::vector<std::string> rows;
    std::string message;
  } cases[] = {
      {{"segnale,  2550, 2, 4, 1, 0, 0,     0, 2, 1, 1", "segnale,  3550, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0"},
       "scenpack:Tarvena1_84-.txt:3:46: Errore n. 25, posizione 0: the signal at 2550 has 10 numbers, 11 are "
       "needed (found \"segnale\" on line 4)"},
      {{"velocita' limite,  0,  1300", "velocita' limite,  650,  95"},
       "scenpack:Tarvena1_84-.txt:3:24: Errore n. 25, posizione 0: speed 1300 km/h does not fit its field (a byte of 5 km/h steps, 0 to 1275 "
       "km/h)"},
      {{"stazione, 4500, 300, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X"},
       "scenpack:Tarvena1_84-.txt:3:17: Errore n. 25, posizione 0: the station at 4500: the station kind 300 does not "
       "fit its field (a byte, 0 to 255)"},
      {{"stazione, 4500, 2, 800, 700, 1, 1, 1,1,0, 4,0,0, 0, 0,0,0, X"},
       "scenpack:Tarvena1_84-.txt:3:25: Errore n. 25, posizione 0: the station at 4500: the field tps 700 does not fit "
       "its field (a byte, 0 to 255)"},
      {{"segnale, -1000, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0"},
       "scenpack:Tarvena1_84-.txt:3:10: Errore n. 25, posizione 0: the signal at -1000: cell -19 lies outside the "
       "track cells"},
  };
  for (const Case& c : cases) {
    TrainTextFixture f;
    try {
      f.read_rows(c.rows);
      ADD_FAILURE() << "no fault for " << c.rows[0];
    } catch (const ReadFault& fault) {
      record_fault(f.t.error_state, FaultCode::kReadingFault, 0, SourceLocation{kTrainText, fault.line, fault.column},
                   fault.what);
      EXPECT_EQ(fault_message(f.t.error_state), c.message);
    }
  }
}

// Under check's policy the short row is listed and the next row is read
// whole; the speed is refused at once and the reading goes on.
TEST(TrainReader, CheckListsAndReadsOn) {
  TrainTextFixture f;
  f.write(train_text({"segnale,  2550, 2, 4, 1, 0, 0,     0, 2, 1, 1", "segnale,  3550, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0",
                      "velocita' limite,  0,  1300", "velocita' limite,  650,  95", "numero vetture, 12"}));
  f.read(kFirstBoardRecord, FaultPolicy::kGoOn);
  std::vector<std::string> listed;
  for (const Diagnostic& d : f.diagnostics) {
    listed.push_back(std::to_string(d.where.line) + ":" + std::to_string(d.where.column) + " " + d.message);
  }
  EXPECT_EQ(listed, (std::vector<std::string>{
                        "3:46 the signal at 2550 has 10 numbers, 11 are needed (found \"segnale\" on line 4)",
                        "4:0 reading goes on with line 4",
                        "5:24 speed 1300 km/h does not fit its field (a byte of 5 km/h steps, 0 to 1275 km/h)",
                    }));
  EXPECT_EQ(f.cell(72).tipo, kind::kSignal);  // the row after the short one
  EXPECT_EQ(f.cell(12).dato5, 0);            // no speed before the line at 650
  EXPECT_EQ(f.cell(13).dato5, 19);
  EXPECT_EQ(f.t.schede[84].lungo3, 12);
}

TEST(TrainReader, MissingTrainTextIsAReadFault) {
  TrainTextFixture f;
  FaultSink sink(f.t.error_state, FaultPolicy::kStopAtFirst);
  EXPECT_THROW(read_train_description(f.t, DescriptionText{kTrainText, std::nullopt, ""}, kFirstBoardRecord, sink),
               ReadFault);
}

TEST(TrainReader, SpeedThatDoesNotFitFaultsInTheEndOfFileFill) {
  TrainTextFixture f;
  f.write(train_text({"velocita' limite, 0, 1278"}));
  EXPECT_THROW(f.read(), ReadFault);  // the fill runs after the text is removed
}

// The scenario's own train rows: speed limits, stations, code cuts and slow
// orders in full, with a few signals, read without a fault.
TEST(TrainReader, ScenarioRowsReadWithoutAFault) {
  TrainTextFixture f;
  f.t.schede[81].lungo1 = 263600;
  f.t.schede[81].lungo2 = 46500;
  f.t.schede[82].lungo1 = 206200;
  f.t.schede[82].lungo2 = -6550;
  f.t.schede[83].lungo1 = 190600;
  f.t.schede[83].lungo2 = 28600;
  // General data, speed limits and stations as the scenario has them, a few
  // signals of the test's own, then the code cuts and slow orders.
  std::vector<std::string> rows = testing::scenario_train_rows(10, 72);
  rows.insert(rows.end(), {
    "[segnali]",
    "-                1                     destra",
    "-                a  d1 d2 d3 ra       d1 d2 d3 ac",
    "-                v",
    "segnale,   2550, 2, 4, 1, 0, 0,     0, 2, 1, 1, 0",
    "-segnale,   9100, 2, 4, 0, 0, 0,     2, 1, 0, 0, 0",
    "segnale,  20500, 2, 4, 0, 0, 0,     2, 1, 0, 0, 0",
    "- avviso Capena",
    "segnale,  187700, 1, 5, 7, 0, 0,     1, 3, 1, 0, 0",
    "segnale,  189050, 2, 2, 5, 7, 2,     2, 2, 1, 1, 0",
    "- protezione Olmo",
    "segnale,  197800, 2, 3, 1, 1, 0,     2, 2, 1, 1, 254",
    "segnale,  234250, 2, 4, 1, 0, 0,     2, 2, 1, 0, 120",
    "segnale,  266650, 2, 2, 3, 0, 0,     2, 2, 1, 0, 0",
  });
  const std::vector<std::string> cuts_and_slow_orders = testing::scenario_train_rows(213, 256);
  rows.insert(rows.end(), cuts_and_slow_orders.begin(), cuts_and_slow_orders.end());
  f.read_rows(rows);
  EXPECT_EQ(f.t.error_state.codice_errore, 0) << fault_message(f.t.error_state);
  EXPECT_EQ(f.t.schede[84].lungo3, 12);
  EXPECT_EQ(f.t.schede[86].intero4, 9);
  EXPECT_EQ(f.t.schede[1].testo, "ROMA TERMINI");
  EXPECT_EQ(f.t.schede[24].testo, "AREZZO");
  EXPECT_EQ(f.t.schede[24].lungo4, 31080);
  EXPECT_EQ(f.t.schede[33].testo, "FIRENZE S.M.N");
  EXPECT_EQ(f.t.schede[34].testo, "");
  EXPECT_EQ(f.cell(3982).tipo, kind::kStationEnd);
  EXPECT_EQ(f.cell(3982).dato1, 24);
  EXPECT_EQ(f.cell(5353).dato1, 33);
  EXPECT_EQ(f.cell(411).tipo, kind::kSignal);
  EXPECT_EQ(f.cell(3957).tempo, 254);
  EXPECT_EQ(f.cell(106).tipo, kind::kCodePoint);
  EXPECT_EQ(f.cell(2190).tipo, kind::kNoCode);
  EXPECT_EQ(f.cell(187).tipo, kind::kSlowdownStart);
  EXPECT_EQ(f.cell(5257).tipo, kind::kSlowdownStart);
  EXPECT_EQ(f.cell(12).dato5, 6);
  EXPECT_EQ(f.cell(13).dato5, 19);
  EXPECT_EQ(f.cell(5326).dato5, 15);  // 75 km/h from 266300 on
  EXPECT_EQ(f.cell(5537).dato5, 15);
}

}  // namespace
}  // namespace scenpack
