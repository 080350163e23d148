// Test support for the readers: a temporary working directory holding the
// working texts, and short line descriptions written as raw strings.
#pragma once


#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "model/file_names.h"
#include "model/tables.h"
#include "readers/line_reader.h"
#include "readers/memorizza_dati.h"
#include "support/temp_dir.h"

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

class ScenarioDir {
 public:
  ScenarioDir() : files{scratch_.path(), "Tarvena1", "84"} {}

  void write(const std::string& name, std::string_view bytes) const {
    std::ofstream out(files.path(name), std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  void write_line(std::string_view bytes) const { write(files.line_text(), bytes); }
  void write_train(std::string_view bytes = kQuietTrain) const { write(files.train_text(), bytes); }
  bool line_remains() const { return std::filesystem::exists(files.path(files.line_text())); }
  bool train_remains() const { return std::filesystem::exists(files.path(files.train_text())); }

  // The scratch directory comes first: files names it.
 private:
  testing_support::TempDir scratch_;

 public:
  ScenarioFiles files;
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
  run.half = read_line_description(run.t, dir.files);
  return run;
}

// memorizza_dati on a directory holding `line` and `train` (no train text
// when none), into `t` as the caller set it up. Succeeds when the run
// reports success with the reading fault recorded (code 25) and both texts
// removed; otherwise says what differed.
inline ::testing::AssertionResult ends_in_read_fault(Tables& t, std::string_view line,
                                                     std::optional<std::string_view> train = kQuietTrain) {
  ScenarioDir dir;
  dir.write_line(line);
  if (train) dir.write_train(*train);
  if (!memorizza_dati(t, dir.files).is_ok()) return ::testing::AssertionFailure() << "memorizza_dati failed";
  if (t.errore.codice_errore != 25) {
    return ::testing::AssertionFailure() << "code " << t.errore.codice_errore << " instead of 25";
  }
  if (dir.line_remains()) return ::testing::AssertionFailure() << "the line text remains";
  if (dir.train_remains()) return ::testing::AssertionFailure() << "the train text remains";
  return ::testing::AssertionSuccess();
}

}  // namespace scenpack::testing
