#include "readers/stations.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/tables.h"
#include "readers/field_reader.h"
#include "readers/read_fault.h"
#include "readers/train_text_fixture.h"

namespace scenpack {
namespace {

// Reads the station rows one after the other into fresh tables.
class Stations {
 public:
  explicit Stations(int32_t board_record = kFirstBoardRecord)
      : t(testing::sized_tables()), board_record_(board_record) {}

  std::optional<StationFault> read(const std::string& row) {
    rows_.push_back(row + "\r\n");
    FieldReader r(rows_.back());
    EXPECT_EQ(r.text(), "stazione");
    auto fault = read_station(r, t, next_record, board_record_);
    if (!fault) {
      EXPECT_TRUE(r.at_end()) << row;
    }
    return fault;
  }

  Tables t;
  int32_t next_record = 1;

 private:
  int32_t board_record_;
  std::vector<std::string> rows_;  // FieldReader keeps a view
};

const char kRomaTermini[] = "stazione,      0,  8, 500,  1, 0, 0,   4,0,0,  2,1,0,  1, 8, 10, 0, ROMA TERMINI";
const char kArezzo[] = "stazione, 198750,  4, 800,  0, 1, 0,   1,1,0,  4,1,1, 60, 8, 38, 0, AREZZO";
const char kFirenze[] = "stazione, 267550,  6 ,600,  1, 0, 0,   0,0,0,  0,0,0,  0, 10,18, 0, FIRENZE S.M.N";

TEST(Station, RomaTerminiTakesItsLengthOnBothSides) {
  Stations s;
  EXPECT_FALSE(s.read(kRomaTermini));
  const Scheda& r = s.t.schede[1];
  EXPECT_EQ(r.lungo3, 0);
  EXPECT_EQ(r.byte1, 8);
  EXPECT_EQ(r.byte2, 1);
  EXPECT_EQ(r.byte6, 0);
  EXPECT_EQ(r.byte5, 0);
  EXPECT_EQ(r.intero1, 4);
  EXPECT_EQ(r.intero2, 0);
  EXPECT_EQ(r.byte3, 0);
  EXPECT_EQ(r.intero3, 2);
  EXPECT_EQ(r.intero4, 1);
  EXPECT_EQ(r.intero5, 0);
  EXPECT_EQ(r.byte4, 1);
  EXPECT_EQ(r.lungo4, 29400);
  EXPECT_EQ(r.testo, "ROMA TERMINI");
  EXPECT_EQ(r.lungo1, -500);
  EXPECT_EQ(r.lungo2, 500);
  EXPECT_EQ(s.t.celle[9].tipo, kind::kStationEnd);
  EXPECT_EQ(s.t.celle[9].dato1, 1);
  for (int b = 1; b <= 4; ++b) EXPECT_EQ(s.t.celle[static_cast<size_t>(9 - b)].avviso, 80 + b);
  EXPECT_EQ(s.next_record, 2);
}

TEST(Station, ArezzoAndFirenzeAfterTheFirstStation) {
  Stations s;
  EXPECT_FALSE(s.read(kRomaTermini));
  EXPECT_FALSE(s.read(kArezzo));
  const Scheda& a = s.t.schede[2];
  EXPECT_EQ(a.lungo1, 198350);
  EXPECT_EQ(a.lungo2, 199150);
  EXPECT_EQ(a.lungo4, 31080);
  EXPECT_EQ(a.byte4, 60);
  EXPECT_EQ(a.byte6, 1);  // 800 m long: "tab" stays
  EXPECT_EQ(s.t.celle[3982].tipo, kind::kStationEnd);
  EXPECT_EQ(s.t.celle[3982].dato1, 2);
  for (int b = 1; b <= 4; ++b) EXPECT_EQ(s.t.celle[static_cast<size_t>(3982 - b)].avviso, 80 + b);

  EXPECT_FALSE(s.read(kFirenze));
  const Scheda& f = s.t.schede[3];
  EXPECT_EQ(f.lungo1, 266950);
  EXPECT_EQ(f.lungo2, 267700);
  EXPECT_EQ(f.testo, "FIRENZE S.M.N");
  EXPECT_EQ(s.t.celle[5353].tipo, kind::kStationEnd);
  EXPECT_EQ(s.t.celle[5353].dato1, 3);
  for (int b = 1; b <= 4; ++b) EXPECT_EQ(s.t.celle[static_cast<size_t>(5353 - b)].avviso, 0);
  EXPECT_EQ(s.next_record, 4);
}

TEST(Station, EndsByKind) {
  struct Case {
    const char* row;  // read as the second station, after one at 0
    int32_t lungo1;
    int32_t lungo2;
    uint8_t byte5;
    uint8_t byte6;
  } cases[] = {
      {"stazione, 190000, 11, 1100, 1, 0, 1, 4,0,2, 2,0,0, 0, 0, 0, 0, BIVIO AREZZO SUD", 189450, 190600, 1, 0},
      {"stazione, 190000, 11, 1100, 1, 1, 0, 4,0,2, 2,0,0, 0, 0, 0, 0, SENZA MAR", 189450, 190550, 0, 1},
      {"stazione, 190000,  4, 400, 0, 1, 1, 1,0,0, 4,0,0, 0, 0, 0, 0, OLMO CORTA", 189800, 190250, 1, 0},
      {"stazione, 190000,  5, 700, 0, 1, 1, 0,0,0, 0,0,0, 0, 0, 0, 0, TRONCO", 189300, 190150, 0, 1},
      {"stazione, 190000,  7, 700, 0, 1, 1, 0,0,0, 0,0,0, 0, 0, 0, 0, SIMMETRICA", 189300, 190700, 0, 1},
      {"stazione, 190000, 26, 500, 0, 0, 0, 0,0,0, 0,0,0, 0, 0, 0, 0, P.C. SETTE BAGNI", 189750, 190250, 0, 0},
  };
  for (const auto& c : cases) {
    Stations s;
    EXPECT_FALSE(s.read(kRomaTermini));
    EXPECT_FALSE(s.read(c.row)) << c.row;
    const Scheda& r = s.t.schede[2];
    EXPECT_EQ(r.lungo1, c.lungo1) << c.row;
    EXPECT_EQ(r.lungo2, c.lungo2) << c.row;
    EXPECT_EQ(r.byte5, c.byte5) << c.row;
    EXPECT_EQ(r.byte6, c.byte6) << c.row;
  }
}

TEST(Station, BlockPostsGetARecordButNoCellMarks) {
  Stations s;
  EXPECT_FALSE(s.read("stazione,  16550, 26, 500, 0, 0, 0, 0,0,0, 0,0,0, 0, 0, 0, 0, P.C. SETTE BAGNI"));
  EXPECT_EQ(s.t.schede[1].testo, "P.C. SETTE BAGNI");
  for (const Cella& c : s.t.celle) {
    EXPECT_EQ(c.tipo, kind::kNothing);
    EXPECT_EQ(c.avviso, 0);
  }
}

TEST(Station, FirstStationClearsMarAndTab) {
  Stations s;
  EXPECT_FALSE(s.read("stazione,  4500,  2, 800, 0, 1, 1, 1,1,0, 4,0,0, 0, 0, 0, 0, ROMA TIBURTINA"));
  EXPECT_EQ(s.t.schede[1].byte5, 0);
  EXPECT_EQ(s.t.schede[1].byte6, 0);
  EXPECT_EQ(s.t.schede[1].lungo2, 4950);  // "mar" still lengthened the far end
}

TEST(Station, ApproachMarksOnlyBeyondCellOne) {
  Stations s;
  EXPECT_FALSE(s.read("stazione,      0,  4, 500,  0, 0, 0, 0,0,0, 0,0,0, 0, 0, 0, 0, CORTA"));
  EXPECT_EQ(s.t.schede[1].lungo2, 250);
  EXPECT_EQ(s.t.celle[4].tipo, kind::kStationEnd);
  EXPECT_EQ(s.t.celle[3].avviso, 81);
  EXPECT_EQ(s.t.celle[2].avviso, 82);
  EXPECT_EQ(s.t.celle[1].avviso, 0);
  EXPECT_EQ(s.t.celle[0].avviso, 0);
}

TEST(Station, FaultsInTheirOrderWithPositions) {
  struct Case {
    const char* row;  // read as the second station, after one at 0
    int32_t code;
    std::optional<int32_t> position;
  } cases[] = {
      {"stazione, 276250, 4, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X", 15, 276250},
      {"stazione, 4525, 4, 450, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X", 8, 4525},
      {"stazione, 4500, 4, 450, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X", 9, 4500},
      {"stazione, -500, 4, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X", 24, std::nullopt},
      {"stazione, 1000, 4, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X", 22, 1000},
      {"stazione, 950, 25, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X", 22, 950},
  };
  for (const auto& c : cases) {
    Stations s;
    EXPECT_FALSE(s.read(kRomaTermini));
    auto fault = s.read(c.row);
    ASSERT_TRUE(fault) << c.row;
    EXPECT_EQ(code_number(fault->code), c.code) << c.row;
    EXPECT_EQ(fault->position, c.position) << c.row;
    EXPECT_EQ(s.next_record, 2) << c.row;
  }
}

TEST(Station, StationsWithinLimitsPassTheirChecks) {
  Stations s;
  EXPECT_FALSE(s.read(kRomaTermini));
  // near end 1050 - 200 = 850: exactly 350 m beyond the far end 500
  EXPECT_FALSE(s.read("stazione, 1050, 4, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X"));
  // (276200 + 800) / 50 = 5540 = n_celle: still on the track
  EXPECT_FALSE(s.read("stazione, 276200, 25, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, END"));
}

TEST(Station, RecordKeepsWhatWasReadBeforeAFault) {
  Stations s;
  auto fault = s.read("stazione, 4500, 4, 450, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X");
  ASSERT_TRUE(fault);
  EXPECT_EQ(s.t.schede[1].lungo3, 4500);
  EXPECT_EQ(s.t.schede[1].byte1, 4);
  EXPECT_EQ(s.t.schede[1].testo, "");
}

TEST(Station, RecordsStopBelowTheTextBoards) {
  // board record 3: stations 1 and 2 fit, the second one ends the reading
  Stations s(3);
  EXPECT_FALSE(s.read(kRomaTermini));
  auto fault = s.read(kArezzo);
  ASSERT_TRUE(fault);
  EXPECT_EQ(fault->code, FaultCode::kRecordTableFull);
  EXPECT_EQ(fault->position, std::nullopt);
  EXPECT_EQ(s.t.schede[2].testo, "AREZZO");  // the record was written
}

TEST(Station, NoStationRecordOverATextBoard) {
  Stations s(0);  // 80 text boards: record 1 holds a board's text
  s.t.schede[1].testo = "CARTELLO";
  auto fault = s.read(kRomaTermini);
  ASSERT_TRUE(fault);
  EXPECT_EQ(fault->code, FaultCode::kRecordTableFull);
  EXPECT_EQ(s.t.schede[1].testo, "CARTELLO");
  EXPECT_EQ(s.t.schede[1].lungo3, 0);
}

TEST(Station, FieldWidthsAreChecked) {
  const char* rows[] = {
      "stazione, 4500, 256, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X",          // tipo is a Byte
      "stazione, 4500, 4, 400, 0,0,0, 40000,0,0, 0,0,0, 0, 0,0,0, X",        // d2 is an Integer
      "stazione, 4500, 4, 400, 0,0,0, 0,0,0, 0,0,0, 0, 2147483647,0,0, X",  // the time overflows a Long
      "stazione, 4500, 4, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,zero, X",         // not a number
      "stazione, 4500, 4, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0",              // the name is past the end
  };
  for (const char* row : rows) {
    Stations s;
    EXPECT_THROW(s.read(row), ReadFault) << row;
  }
}

TEST(Station, EndMarkOutsideTheTrackIsAReadFault) {
  Stations s;
  EXPECT_THROW(s.read("stazione, 100000, 4, 2000000, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, LUNGA"), ReadFault);
}

}  // namespace
}  // namespace scenpack
