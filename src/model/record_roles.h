// Named views of the records by role. The record table's fields keep the
// format's names (byte1, lungo1, intero1, testo, ...); what each field holds
// depends on the record's role, and these views are the one place that says
// which field that is. Code outside the format reaches a record's values
// through them ("a station's position", "the route length"), never by a
// field name or a bare record number.
//
// Each view holds a reference to one record and gives its fields back by
// reference: a view of a const record reads, a view of a record writes.
//   StationRecord station{t.schede[k]};  station.position() = 2500;
//   const int32_t length = general_data(schede).route_length();
// They are templates over Scheda and const Scheda, inline and free.
#pragma once

#include <cstddef>

#include "model/tables.h"

namespace scenpack {

constexpr int kFirstStationRecord = 1;  // stations take records from 1 upward
// The three chainage sections take records 81 to 83, ordered once read.
constexpr int kFirstChainageRecord = 81;
constexpr int kChainageRecordCount = 3;

// A station, junction or block post of the train description (records 1
// upward, in the order of the rows).
template <typename Record>
class StationRecord {
 public:
  explicit StationRecord(Record& r) : r_(r) {}
  auto& name() const { return r_.testo; }
  auto& kind() const { return r_.byte1; }          // tipo: below 25 a station
  auto& position() const { return r_.lungo3; }     // metres
  auto& near_end() const { return r_.lungo1; }     // metres
  auto& far_end() const { return r_.lungo2; }      // metres
  auto& time() const { return r_.lungo4; }         // timetable, seconds from midnight
  // The row's other columns, stored as written (tab and mar cleared where
  // the build says so).
  auto& tps() const { return r_.byte2; }
  auto& tab() const { return r_.byte6; }
  auto& mar() const { return r_.byte5; }
  auto& first_d2() const { return r_.intero1; }    // the d2, d3 after mar
  auto& first_d3() const { return r_.intero2; }
  auto& rap() const { return r_.byte3; }
  auto& second_d1() const { return r_.intero3; }   // the d1, d2, d3 after rap
  auto& second_d2() const { return r_.intero4; }
  auto& second_d3() const { return r_.intero5; }
  auto& ac() const { return r_.byte4; }

 private:
  Record& r_;
};

// A text board's record (80 downward): its text and nothing else.
template <typename Record>
class TextBoardRecord {
 public:
  explicit TextBoardRecord(Record& r) : r_(r) {}
  auto& text() const { return r_.testo; }

 private:
  Record& r_;
};

// One chainage section of the line's general data (records 81 to 83).
template <typename Record>
class ChainageRecord {
 public:
  explicit ChainageRecord(Record& r) : r_(r) {}
  auto& start() const { return r_.lungo1; }       // metres
  auto& difference() const { return r_.lungo2; }  // chainage minus distance, metres
  auto& flag() const { return r_.lungo3; }        // 1: 100 m more

 private:
  Record& r_;
};

// The general data (record 84): the train's, and the route length.
template <typename Record>
class GeneralDataRecord {
 public:
  explicit GeneralDataRecord(Record& r) : r_(r) {}
  auto& braked_mass_percent() const { return r_.lungo1; }
  auto& route_length() const { return r_.lungo2; }  // metres
  auto& coaches() const { return r_.lungo3; }

 private:
  Record& r_;
};

// The scenario (record 85): its name, the line's backgrounds and the
// weighted check code with its marker.
template <typename Record>
class ScenarioRecord {
 public:
  explicit ScenarioRecord(Record& r) : r_(r) {}
  auto& name() const { return r_.testo; }
  auto& background_uno() const { return r_.lungo1; }
  auto& background_tre() const { return r_.lungo2; }
  auto& background_due() const { return r_.lungo3; }
  auto& check_code_marker() const { return r_.intero1; }  // 610 once stamped
  auto& weighted_check_code() const { return r_.lungo4; }

 private:
  Record& r_;
};

// The train (record 86): its number, the signal-repetition stretch, the
// sand and the start clock.
template <typename Record>
class TrainRecord {
 public:
  explicit TrainRecord(Record& r) : r_(r) {}
  auto& number() const { return r_.testo; }
  auto& repetition_start() const { return r_.lungo1; }  // metres
  auto& repetition_end() const { return r_.lungo2; }    // metres, 0: no stretch
  auto& repetition_codes() const { return r_.lungo3; }  // 4, 9 or 0
  auto& sand() const { return r_.intero1; }
  auto& clock_hours() const { return r_.intero3; }
  auto& clock_minutes() const { return r_.intero4; }
  auto& clock_seconds() const { return r_.intero5; }

 private:
  Record& r_;
};

// The records at their fixed places, from the record table (a Tables'
// schede or decoded records, const or not).
template <typename Records>
auto general_data(Records& schede) {
  return GeneralDataRecord{schede[kGeneralDataRecord]};
}
template <typename Records>
auto scenario_record(Records& schede) {
  return ScenarioRecord{schede[kScenarioRecord]};
}
template <typename Records>
auto train_record(Records& schede) {
  return TrainRecord{schede[kTrainRecord]};
}

}  // namespace scenpack
