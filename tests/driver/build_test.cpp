#include "driver/build.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>
#include <memory>
#include <optional>

#include "finish/check_codes.h"
#include "support/failing_disk.h"
#include "support/temp_dir.h"

namespace scenpack {
namespace {

using testing_support::slurp;
using testing_support::spit;
using testing_support::TempDir;

ScenarioFiles files_in(const TempDir& dir) { return ScenarioFiles{dir.path(), "Tarvena1", "84"}; }

// With `map_started`, the route map's writing is started first, as the
// build starts it once the line description is read.
BuildOutcome finish(Tables& t, const TempDir& dir, bool map_started = false) {
  FaultSink sink(t.error_state, FaultPolicy::kStopAtFirst);
  std::optional<RouteMapWriting> map;
  if (map_started) map.emplace(std::make_shared<const RouteMap>(t.mappa), files_in(dir).path(files_in(dir).route_map()));
  return finish_build(t, files_in(dir), sink, map ? &*map : nullptr);
}

// Tables as the readers leave them for a short route.
Tables read_tables(int32_t modo) {
  Tables t;
  t.modo_percorso = modo;
  EXPECT_TRUE(size_tables(t, 0));
  t.schede[85].testo = "Tarvena1";
  t.schede[86].testo = "84";
  return t;
}

TEST(Build, FinishingStoresTheCodesAndWritesTheThreeFiles) {
  TempDir dir;
  Tables t = read_tables(1);
  BuildOutcome out = finish(t, dir);
  ASSERT_TRUE(out.status.is_ok()) << out.status.message();
  EXPECT_EQ(out.stop_code, 0);
  EXPECT_EQ(out.files_written,
            (std::vector<std::string>{"Tarvena1_linea.dat", "Tarvena1_84.sim", "Tarvena1_84.dat"}));

  std::string cells = slurp(dir.file("Tarvena1_84.dat"));
  ASSERT_EQ(cells.size(), 15u * 141);
  EXPECT_EQ(cells.substr(15 + 1, 4), std::string("\x01\x14\x5e\x0a", 4));  // 5121, 2654
  std::string records = slurp(dir.file("Tarvena1_84.sim"));
  ASSERT_EQ(records.size(), 87u * 34 + 8 + 2);
  const size_t at85 = 85u * 34;
  EXPECT_EQ(records.substr(at85 + 24, 2), std::string("\x62\x02", 2));          // intero1 = 610
  EXPECT_EQ(records.substr(at85 + 38, 4), std::string("\x30\x8f\x00\x00", 4));  // lungo4 = 36656
  EXPECT_EQ(slurp(dir.file("Tarvena1_linea.dat")).size(), 2u * 7001 * 2);
}

// The build reports the stop and shows nothing: the command that ran it
// shows the message box.
TEST(Build, ATakenReservedPlaceStopsAndWritesNothing) {
  struct Case {
    void (*prepare)(Tables&);
    int32_t code;
  } cases[] = {
      {[](Tables& t) { t.celle[1].dato1 = 180; }, 1250},
      {[](Tables& t) { t.schede[85].lungo4 = 1; }, 1251},
  };
  for (const auto& c : cases) {
    for (const bool map_started : {false, true}) {
      SCOPED_TRACE(std::to_string(c.code) + (map_started ? ", map started" : ""));
      TempDir dir;
      Tables t = read_tables(1);
      c.prepare(t);
      ::testing::internal::CaptureStderr();
      BuildOutcome out = finish(t, dir, map_started);
      std::string shown = ::testing::internal::GetCapturedStderr();
      EXPECT_TRUE(out.status.is_ok());
      EXPECT_EQ(out.stop_code, c.code);
      EXPECT_EQ(shown, "");
      EXPECT_EQ(t.error_state.codice_errore, c.code);
      EXPECT_TRUE(out.files_written.empty());
      EXPECT_TRUE(dir.names().empty());
    }
  }
}

// Nothing read at all (no line description): no cells, no map elements,
// yet the build finishes and writes its three files.
TEST(Build, WithoutADescriptionTheFilesHoldWhatExists) {
  TempDir dir;
  Tables t;
  BuildOutcome out = build_scenario(t, files_in(dir), 1);
  ASSERT_TRUE(out.status.is_ok()) << out.status.message();
  EXPECT_EQ(out.stop_code, 0);
  EXPECT_EQ(t.modo_percorso, 1);
  EXPECT_EQ(t.error_state.codice_errore, 101);
  EXPECT_TRUE(t.celle.empty());
  EXPECT_EQ(slurp(dir.file("Tarvena1_84.dat")), "");
  EXPECT_EQ(slurp(dir.file("Tarvena1_linea.dat")), "");
  std::string records = slurp(dir.file("Tarvena1_84.sim"));
  ASSERT_EQ(records.size(), 87u * 34 + 8 + 2);
  EXPECT_EQ(records.substr(85u * 34 + 24, 2), std::string("\x62\x02", 2));  // 610 is always stored
}

TEST(Build, StartsFromClearedRecordsAndErrorCode) {
  TempDir dir;
  Tables t;
  t.error_state.codice_errore = 16;
  t.error_state.where = SourceLocation{"x.txt", 3};
  t.schede[85].intero1 = 1;  // would stop the build with 1250 if not cleared
  t.schede[40].testo = "old";
  BuildOutcome out = build_scenario(t, files_in(dir), 0);
  EXPECT_EQ(out.stop_code, 0);
  EXPECT_EQ(t.error_state.codice_errore, 101);  // not the 16 of before: no line description here
  EXPECT_EQ(t.schede[40].testo, "");
  EXPECT_EQ(t.modo_percorso, 0);
  EXPECT_EQ(out.files_written, (std::vector<std::string>{"Tarvena1_84.sim", "Tarvena1_84.dat"}));
}

// Which working texts the build deletes: only the copies scenpack made in
// this run, and only when the reading is done with them; an author's texts
// are read and kept on every path.
TEST(Build, DeletesOnlyItsOwnWorkingCopies) {
  const std::string good_line = "[generale]\r\nlunghezza percorso, 1000\r\n[fine]\r\n\r\n";
  const std::string board_fault =  // a second text board on the same cell: code 6
      "[generale]\r\nlunghezza percorso, 1000\r\n[cartelli]\r\ncartello indicatore, 500, A\r\n"
      "cartello indicatore, 510, B\r\n[fine]\r\n\r\n";
  const std::string unreadable = "[generale]\r\nlunghezza percorso, mille\r\n[fine]\r\n\r\n";
  const std::string train = "treno\r\n[generale]\r\n[fine]\r\n\r\n";
  struct Case {
    const char* name;
    std::string line;
    bool ours;
    int32_t code;
    bool line_stays;
    bool train_stays;
  } cases[] = {
      {"author's texts", good_line, false, 0, true, true},
      {"author's texts, line fault", board_fault, false, 6, true, true},
      {"author's texts, reading fault", unreadable, false, 25, true, true},
      {"own copies", good_line, true, 0, false, false},
      {"own copies, line fault", board_fault, true, 6, false, true},  // the train is never read
      {"own copies, reading fault", unreadable, true, 25, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    spit(dir.file("Tarvena1_linea.txt"), c.line);
    spit(dir.file("Tarvena1_84-.txt"), train);
    BuildInputs inputs;
    inputs.line.ours = c.ours;
    inputs.train.ours = c.ours;
    Tables t;
    BuildOutcome out = build_scenario(t, files_in(dir), 1, inputs);
    ASSERT_TRUE(out.status.is_ok()) << out.status.message();
    EXPECT_EQ(t.error_state.codice_errore, c.code);
    EXPECT_EQ(std::filesystem::exists(dir.file("Tarvena1_linea.txt")), c.line_stays);
    EXPECT_EQ(std::filesystem::exists(dir.file("Tarvena1_84-.txt")), c.train_stays);
    if (c.line_stays) {
      EXPECT_EQ(slurp(dir.file("Tarvena1_linea.txt")), c.line);
    }
  }
}

// A working text of the run's own that cannot be deleted stops the build
// with the system's message before anything is written; one that cannot be
// read is a reading fault (code 25) and the build goes on.
TEST(Build, WorkingTextsThatCannotBeDeletedOrReadAreReported) {
  const std::string line = "[generale]\r\nlunghezza percorso, 1000\r\n[fine]\r\n\r\n";
  const std::string train = "treno\r\n[generale]\r\n[fine]\r\n\r\n";
  struct Case {
    testing_support::DiskStep step;
    const char* file;
    std::string failure;  // "" when the build goes on
    int32_t code;
  } cases[] = {
      {testing_support::DiskStep::kDelete, "Tarvena1_linea.txt", "cannot delete PATH: Permission denied", 0},
      {testing_support::DiskStep::kDelete, "Tarvena1_84-.txt", "cannot delete PATH: Permission denied", 0},
      {testing_support::DiskStep::kRead, "Tarvena1_linea.txt", "", 25},
      {testing_support::DiskStep::kRead, "Tarvena1_84-.txt", "", 25},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    TempDir dir;
    spit(dir.file("Tarvena1_linea.txt"), line);
    spit(dir.file("Tarvena1_84-.txt"), train);
    BuildInputs ours;
    ours.line.ours = true;
    ours.train.ours = true;
    testing_support::FailingDisk disk(c.step, c.file);
    Tables t;
    const BuildOutcome out = build_scenario(t, files_in(dir), 1, ours, disk);
    std::string want = c.failure;
    if (!want.empty()) want.replace(want.find("PATH"), 4, files_in(dir).path(c.file));
    EXPECT_EQ(out.status.is_ok() ? "" : out.status.message(), want);
    EXPECT_EQ(t.error_state.codice_errore, c.code);
    EXPECT_EQ(out.files_written.size(), want.empty() ? 3u : 0u);
  }
}

#ifndef _WIN32  // symbolic links and pipes as POSIX makes them
// A description that is there but cannot be opened is a reading fault
// (code 25) and the build goes on to write its files. A link to itself
// cannot be opened by anyone, the superuser included.
TEST(Build, DescriptionThatCannotBeOpenedIsCode25) {
  TempDir dir;
  std::filesystem::create_symlink("Tarvena1_linea.txt", dir.file("Tarvena1_linea.txt"));
  Tables t;
  BuildOutcome out = build_scenario(t, files_in(dir), 0);
  EXPECT_EQ(t.error_state.codice_errore, 25);
  EXPECT_TRUE(out.status.is_ok()) << out.status.message();
}

// Anything but a regular file under a working name counts as missing, and
// is never waited on: a pipe as the line description is fault 101.
TEST(Build, PipeAsDescriptionIsNotThere) {
  TempDir dir;
  ASSERT_EQ(::mkfifo(dir.file("Tarvena1_linea.txt").c_str(), 0600), 0);
  Tables t;
  BuildOutcome out = build_scenario(t, files_in(dir), 0);
  ASSERT_TRUE(out.status.is_ok()) << out.status.message();
  EXPECT_EQ(t.error_state.codice_errore, 101);
}
#endif

}  // namespace
}  // namespace scenpack
