// A train description held in memory, with the tables sized as the line
// half would leave them, for the train reader tests.
#pragma once


#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "model/fault_sink.h"
#include "model/record_roles.h"
#include "model/tables.h"
#include "readers/train_reader.h"
#include "sources/train_text.h"

namespace scenpack::testing {

constexpr int32_t kRouteLength = 270000;  // n_celle 5540, as the scenario's line gives

// Tables sized for a route of `route_length` metres, as the line half
// leaves them for the train rows.
inline Tables sized_tables(int32_t route_length = kRouteLength) {
  Tables t;
  EXPECT_TRUE(size_tables(t, route_length));
  general_data(t.schede).route_length() = route_length;
  return t;
}

// The rows joined with CR LF between a title and "[generale]" before and
// "[fine]" after, so that no data row is the last line of the text.
inline std::string train_text(const std::vector<std::string>& rows) {
  std::string text = "                  Treno 84 di prova\r\n[generale]\r\n";
  for (const std::string& row : rows) {
    text += row;
    text += "\r\n";
  }
  text += "[fine]\r\n";
  return text;
}
inline std::string train_text(std::initializer_list<std::string_view> rows) {
  return train_text(std::vector<std::string>(rows.begin(), rows.end()));
}

// Lines first..last (both included) of the scenario's own train description.
inline std::vector<std::string> scenario_train_rows(int first, int last) {
  const std::vector<std::string>& lines = train_description_lines();
  return std::vector<std::string>(lines.begin() + first, lines.begin() + last + 1);
}

// The train description's name in messages.
constexpr const char* kTrainName = "Tarvena1_84-.txt";

class TrainTextFixture {
 public:
  explicit TrainTextFixture(int32_t route_length = kRouteLength) : t(sized_tables(route_length)) {}

  void write(std::string_view bytes) { text_ = std::string(bytes); }

  // Reads the text last written, under `policy`.
  void read(int32_t board_record = kFirstBoardRecord, FaultPolicy policy = FaultPolicy::kStopAtFirst) {
    DescriptionText d;
    d.name = kTrainName;
    d.bytes = std::string_view(text_);
    FaultSink sink(t.error_state, policy);
    read_train_description(t, d, board_record, sink);
    diagnostics = sink.diagnostics();
  }

  // Writes the rows as a train text and reads it.
  void read_rows(const std::vector<std::string>& rows, int32_t board_record = kFirstBoardRecord) {
    write(train_text(rows));
    read(board_record);
  }
  void read_rows(std::initializer_list<std::string_view> rows, int32_t board_record = kFirstBoardRecord) {
    read_rows(std::vector<std::string>(rows.begin(), rows.end()), board_record);
  }

  const Cella& cell(int64_t i) const { return t.celle.at(static_cast<size_t>(i)); }

  Tables t;
  std::vector<Diagnostic> diagnostics;  // what the last read listed

 private:
  std::string text_;
};

}  // namespace scenpack::testing
