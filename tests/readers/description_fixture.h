// Test support for the readers: the two descriptions held in memory, and
// short line descriptions written as raw strings.
#pragma once


#include <optional>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "model/fault_sink.h"
#include "model/file_names.h"
#include "model/tables.h"
#include "readers/line_reader.h"
#include "readers/read_descriptions.h"

namespace scenpack::testing {

// "\n" line ends become CR LF, as the working texts are written.
inline std::string crlf(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

// A line description: a title, "[generale]" with the given general rows,
// then the body rows and the closing "[fine]" line and a line of blanks.
inline std::string line_description(std::string_view general, std::string_view body) {
  return crlf("Percorso di prova\n[generale]\n" + std::string(general) + "[pendenze]\n" +
              std::string(body) + "[fine]\n                \n");
}

// The route used by most tests: L = 10000, so n_celle = 340 and the map
// runs from metre 0 to 17000.
inline std::string short_route(std::string_view body) {
  return line_description("lunghezza percorso,    10000\n", body);
}

// A train description the train half reads without a fault.
inline const char* const kQuietTrain = "treno di prova\r\n[generale]\r\n[fine]\r\n                \r\n";

// The two descriptions of a test, held in memory as the build hands them to
// the readers, and what the reading asked the build to delete.
class ScenarioDir {
 public:
  void write_line(std::string_view bytes) { line_ = std::string(bytes); }
  void write_train(std::string_view bytes = kQuietTrain) { train_ = std::string(bytes); }

  DescriptionText line_text() const { return text(files.line_text(), line_); }
  DescriptionText train_text() const { return text(files.train_text(), train_); }

  // The line half alone, under the build's policy.
  LineHalf read_line(Tables& t) {
    FaultSink sink(t.error_state, FaultPolicy::kStopAtFirst);
    const LineHalf half = read_line_description(t, line_text(), sink);
    outcome_.delete_line = half.delete_line;
    return half;
  }
  // Both halves, under the build's policy.
  void read_all(Tables& t) {
    FaultSink sink(t.error_state, FaultPolicy::kStopAtFirst);
    outcome_ = read_descriptions(t, line_text(), train_text(), sink);
  }

  bool line_remains() const { return line_.has_value() && !outcome_.delete_line; }
  bool train_remains() const { return train_.has_value() && !outcome_.delete_train; }

  ScenarioFiles files{"", "Tarvena1", "84"};

 private:
  static DescriptionText text(const std::string& name, const std::optional<std::string>& bytes) {
    DescriptionText d;
    d.name = name;
    if (bytes) d.bytes = std::string_view(*bytes);
    return d;
  }

  std::optional<std::string> line_;
  std::optional<std::string> train_;
  ReadingOutcome outcome_;
};

// Tables as a build leaves them before reading: map mode on, records clear.
inline Tables map_mode_tables() {
  Tables t;
  t.modo_percorso = 1;
  return t;
}

// The line half alone on `text`, with map mode on unless told otherwise.
struct LineRun {
  Tables t;
  LineHalf half;
};
inline LineRun read_line(std::string_view text, int32_t modo_percorso = 1) {
  ScenarioDir dir;
  dir.write_line(text);
  LineRun run;
  run.t.modo_percorso = modo_percorso;
  run.half = dir.read_line(run.t);
  return run;
}

// read_descriptions on `line` and `train` (no train description when none),
// into `t` as the caller set it up. Succeeds when the reading fault is
// recorded (code 25) and both texts are to be deleted; otherwise says what
// differed.
inline ::testing::AssertionResult ends_in_read_fault(Tables& t, std::string_view line,
                                                     std::optional<std::string_view> train = kQuietTrain) {
  ScenarioDir dir;
  dir.write_line(line);
  if (train) dir.write_train(*train);
  dir.read_all(t);
  if (t.error_state.codice_errore != 25) {
    return ::testing::AssertionFailure() << "code " << t.error_state.codice_errore << " instead of 25";
  }
  if (dir.line_remains()) return ::testing::AssertionFailure() << "the line text remains";
  if (dir.train_remains()) return ::testing::AssertionFailure() << "the train text remains";
  return ::testing::AssertionSuccess();
}

}  // namespace scenpack::testing
