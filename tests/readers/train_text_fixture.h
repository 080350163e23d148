// A train description written into a fresh temporary directory, with the
// tables sized as the line half would leave them, for the train reader tests.
#pragma once


#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "model/file_names.h"
#include "model/tables.h"
#include "platform/file_system.h"
#include "readers/train_reader.h"
#include "sources/train_text.h"
#include "support/temp_dir.h"

namespace scenpack::testing {

constexpr int32_t kRouteLength = 270000;  // n_celle 5540, as the scenario's line gives

// Tables sized for a route of `route_length` metres, as the line half
// leaves them for the train rows.
inline Tables sized_tables(int32_t route_length = kRouteLength) {
  Tables t;
  EXPECT_TRUE(size_tables(t, route_length));
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

class TrainTextFixture {
 public:
  explicit TrainTextFixture(int32_t route_length = kRouteLength)
      : files{scratch_.path(), "Tarvena1", "84"}, t(sized_tables(route_length)) {}

  std::string path() const { return files.path(files.train_text()); }
  void write(std::string_view bytes) const { ASSERT_TRUE(write_file_atomically(path(), bytes).is_ok()); }
  bool text_remains() const { return file_exists(path()); }

  // Writes the rows as a train text and reads it.
  Status read_rows(const std::vector<std::string>& rows, int32_t board_record = kFirstBoardRecord) {
    write(train_text(rows));
    return read_train_description(t, files, board_record);
  }
  Status read_rows(std::initializer_list<std::string_view> rows, int32_t board_record = kFirstBoardRecord) {
    return read_rows(std::vector<std::string>(rows.begin(), rows.end()), board_record);
  }

  const Cella& cell(int64_t i) const { return t.celle.at(static_cast<size_t>(i)); }

 private:
  testing_support::TempDir scratch_;

 public:
  ScenarioFiles files;
  Tables t;
};

}  // namespace scenpack::testing
