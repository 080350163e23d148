#include "driver/output_files.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <memory>
#include <functional>
#include <optional>

#include "format/encoding.h"
#include "format/file_bytes.h"
#include "support/failing_disk.h"
#include "support/held_open.h"
#include "support/temp_dir.h"

namespace scenpack {
namespace {

using testing_support::slurp;
using testing_support::spit;
using testing_support::TempDir;

TEST(OutputFiles, CellsFileHoldsEveryCellInIndexOrder) {
  TempDir dir;
  Tables t;
  ASSERT_TRUE(size_tables(t, 93975));  // n_celle = 2020
  t.celle[2020].tipo = kind::kSignal;
  t.celle[7].dato6 = 93;
  ASSERT_TRUE(write_cells(t, dir.file("c.dat")).is_ok());
  std::string bytes = slurp(dir.file("c.dat"));
  ASSERT_EQ(bytes.size(), 30315u);
  EXPECT_EQ(bytes[15 * 2020], 1);
  EXPECT_EQ(bytes[15 * 7 + 13], 93);
  EXPECT_EQ(bytes.substr(0, 15), std::string(15, '\0'));
}

TEST(OutputFiles, CellsNeverSizedGiveAnEmptyFile) {
  TempDir dir;
  Tables t;
  ASSERT_TRUE(write_cells(t, dir.file("c.dat")).is_ok());
  EXPECT_EQ(slurp(dir.file("c.dat")), "");
}

TEST(OutputFiles, RecordsFileHoldsAll87Records) {
  TempDir dir;
  Tables t;
  t.schede[85].testo = "Tarvena1";
  t.schede[86].testo = "84";
  t.schede[86].intero3 = 8;
  ASSERT_TRUE(write_records(t, dir.file("r.sim")).is_ok());
  std::string bytes = slurp(dir.file("r.sim"));
  ASSERT_EQ(bytes.size(), 87u * 34 + 8 + 2);
  const size_t at86 = 86u * 34 + 8;  // records 0..84 empty, 85 carries 8 characters
  EXPECT_EQ(bytes.substr(85u * 34 + 14, 10), std::string("\x08\0Tarvena1", 10));
  EXPECT_EQ(bytes.substr(at86 + 14, 4), std::string("\x02\0" "84", 4));
  EXPECT_EQ(bytes[at86 + 16 + 2 + 2 + 2], 8);  // intero3
}

// A drawn map of 40,001 metres, straights and curves of every class, the
// last 950 metres Empty: about 800 kB in its file.
RouteMap drawn_map() {
  RouteMap m;
  m.sized = true;
  m.last_index = 40000;
  m.points_set = 2;
  for (int32_t p = 300; p < 39000; p += 700) {
    m.add_run(p, kStraight);
    m.add_run(p + 250, static_cast<CurveClass>((p % 13) - 6));
  }
  return m;
}

// A map of 5 metres (0..4) with points 0..2 set: points 0 and 1 are
// Integers, point 2 a Double, points 3 and 4 Empty; x first, then y.
TEST(OutputFiles, RouteMapIsVariantsMetreFastestXThenY) {
  TempDir dir;
  RouteMap m;
  m.sized = true;
  m.last_index = 4;
  m.points_set = 3;
  m.x = {0.0, 0.0, 1.5, 0.0, 0.0};
  m.y = {0.0, 1.0, 2.25, 0.0, 0.0};
  ASSERT_TRUE(write_route_map(m, dir.file("m.dat")).is_ok());

  std::string want;
  for (const auto* c : {&m.x, &m.y}) {
    put_variant(want, static_cast<int16_t>((*c)[0]));
    put_variant(want, static_cast<int16_t>((*c)[1]));
    put_variant(want, (*c)[2]);
    put_variant(want, std::monostate{});
    put_variant(want, std::monostate{});
  }
  EXPECT_EQ(slurp(dir.file("m.dat")), want);
  EXPECT_EQ(want.size(), 2u * (4 + 4 + 10 + 2 + 2));
}

// A drawn map, long enough to fill several write chunks in each half of
// the file: the bytes are those of its points encoded one after another,
// all x, then all y, then the Empty metres.
TEST(OutputFiles, DrawnRouteMapGivesTheBytesOfItsPoints) {
  TempDir dir;
  const RouteMap m = drawn_map();
  ASSERT_EQ(m.points_set, 39051);
  ASSERT_TRUE(write_route_map(m, dir.file("m.dat")).is_ok());

  const MapPoints points = map_points(m);
  ASSERT_EQ(points.x.size(), 39051u);
  std::string want;
  for (const std::vector<double>* c : {&points.x, &points.y}) {
    put_variant(want, static_cast<int16_t>((*c)[0]));
    put_variant(want, static_cast<int16_t>((*c)[1]));
    for (size_t j = 2; j < c->size(); ++j) put_variant(want, (*c)[j]);
    for (int32_t j = m.points_set; j <= m.last_index; ++j) put_variant(want, std::monostate{});
  }
  EXPECT_EQ(slurp(dir.file("m.dat")), want);
}

TEST(OutputFiles, RouteMapOfSizedTablesHasTwoElementsPerMetre) {
  TempDir dir;
  Tables t;
  t.modo_percorso = 1;
  ASSERT_TRUE(size_tables(t, 0));  // metres 0..7000, nothing set
  ASSERT_TRUE(write_route_map(t.mappa, dir.file("m.dat")).is_ok());
  EXPECT_EQ(slurp(dir.file("m.dat")), std::string(2 * 7001 * 2, '\0'));

  RouteMap never_sized;
  ASSERT_TRUE(write_route_map(never_sized, dir.file("m.dat")).is_ok());
  EXPECT_EQ(slurp(dir.file("m.dat")), "");
}

TEST(OutputFiles, ReplacesLongerOldFilesAndLeavesNoTemporary) {
  TempDir dir;
  ScenarioFiles files{dir.path(), "Tarvena1", "84"};
  for (const std::string& name : {files.route_map(), files.records(), files.cells()}) {
    spit(dir.file(name), std::string(500000, 'x'));
  }
  Tables t;
  t.modo_percorso = 1;
  ASSERT_TRUE(size_tables(t, 25));
  std::vector<std::string> written;
  ASSERT_TRUE(write_output_files(t, files, &written).is_ok());
  EXPECT_EQ(written, (std::vector<std::string>{"Tarvena1_linea.dat", "Tarvena1_84.sim", "Tarvena1_84.dat"}));
  EXPECT_EQ(slurp(dir.file(files.route_map())).size(), 2u * 7026 * 2);
  EXPECT_EQ(slurp(dir.file(files.records())).size(), 87u * 34);
  EXPECT_EQ(slurp(dir.file(files.cells())).size(), 15u * 141);
  EXPECT_EQ(dir.names(), (std::vector<std::string>{"Tarvena1_84.dat", "Tarvena1_84.sim", "Tarvena1_linea.dat"}));
}

TEST(OutputFiles, WithoutMapModeAnOlderMapIsLeftAsItWas) {
  TempDir dir;
  ScenarioFiles files{dir.path(), "Tarvena1", "84"};
  spit(dir.file(files.route_map()), "old map");
  Tables t;
  ASSERT_TRUE(size_tables(t, 0));
  std::vector<std::string> written;
  ASSERT_TRUE(write_output_files(t, files, &written).is_ok());
  EXPECT_EQ(written, (std::vector<std::string>{"Tarvena1_84.sim", "Tarvena1_84.dat"}));
  EXPECT_EQ(slurp(dir.file(files.route_map())), "old map");
}

// A route map whose writing was started before the other files are
// written is put in place in its turn, with the bytes it would have had.
TEST(OutputFiles, StartedRouteMapIsPutInPlaceInItsTurn) {
  TempDir dir;
  ScenarioFiles files{dir.path(), "Tarvena1", "84"};
  Tables t;
  t.modo_percorso = 1;
  ASSERT_TRUE(size_tables(t, 33000));
  t.mappa = drawn_map();
  RouteMapWriting map(std::make_shared<const RouteMap>(t.mappa), files.path(files.route_map()));
  std::vector<std::string> written;
  ASSERT_TRUE(write_output_files(t, files, &written, &map).is_ok());
  EXPECT_EQ(written, (std::vector<std::string>{"Tarvena1_linea.dat", "Tarvena1_84.sim", "Tarvena1_84.dat"}));
  EXPECT_EQ(slurp(dir.file(files.route_map())), route_map_bytes(t.mappa));
  EXPECT_EQ(slurp(dir.file(files.records())), records_bytes(t.schede));
  EXPECT_EQ(slurp(dir.file(files.cells())), cells_bytes(t.celle));
  EXPECT_EQ(dir.names(), (std::vector<std::string>{"Tarvena1_84.dat", "Tarvena1_84.sim", "Tarvena1_linea.dat"}));
}

// Dropped before its turn (the build stopped), a started map leaves the
// old file as it was and no temporary.
TEST(OutputFiles, DroppedRouteMapWritingLeavesTheOldFile) {
  TempDir dir;
  const std::string path = dir.file("Tarvena1_linea.dat");
  spit(path, "old map");
  const RouteMap m = drawn_map();
  { RouteMapWriting started(std::make_shared<const RouteMap>(m), path); }
  EXPECT_EQ(slurp(path), "old map");
  EXPECT_EQ(dir.names(), std::vector<std::string>{"Tarvena1_linea.dat"});
}

// A started map that cannot even be created says so in its turn, as the
// map written then would.
TEST(OutputFiles, StartedRouteMapThatCannotBeCreatedFailsInItsTurn) {
  TempDir dir;
  const std::string path = dir.file("missing/Tarvena1_linea.dat");
  const RouteMap m = drawn_map();
  RouteMapWriting started(std::make_shared<const RouteMap>(m), path);
  const Status s = started.commit();
  ASSERT_FALSE(s.is_ok());
  EXPECT_EQ(s.message(), write_route_map(m, path).message());
  EXPECT_TRUE(dir.names().empty());
}

// Every step of writing the three files can fail (created, written, put in
// place): the writing stops there with the system's message and no
// temporary is left, whether the map's writing was started beside the
// reading or is done in its turn. Only a failing rename leaves new files:
// those renamed before it.
TEST(OutputFiles, AFailureBeforeTheRenamesKeepsEveryOldFile) {
  using testing_support::DiskStep;
  const std::vector<std::string> names = {"Tarvena1_linea.dat", "Tarvena1_84.sim", "Tarvena1_84.dat"};
  struct Step {
    DiskStep step;
    std::string failure;
  } steps[] = {
      {DiskStep::kCreate, "cannot create PATH: Permission denied"},
      {DiskStep::kWrite, "cannot write PATH: No space left on device"},
      {DiskStep::kRename, "cannot rename PATH: Permission denied"},
  };
  for (const bool map_started : {false, true}) {
    for (const Step& step : steps) {
      for (size_t failing = 0; failing < names.size(); ++failing) {
        SCOPED_TRACE(names[failing] + ", " + step.failure + (map_started ? ", map started" : ""));
        TempDir dir;
        const ScenarioFiles files{dir.path(), "Tarvena1", "84"};
        for (const std::string& name : names) spit(files.path(name), "old");
        Tables t;
        t.modo_percorso = 1;
        ASSERT_TRUE(size_tables(t, 3000));
        t.mappa = drawn_map();
        testing_support::FailingDisk disk(step.step, names[failing]);
        std::optional<RouteMapWriting> map;
        if (map_started) map.emplace(std::make_shared<const RouteMap>(t.mappa), files.path(names[0]), disk);
        std::vector<std::string> written;
        const Status s = write_output_files(t, files, &written, map ? &*map : nullptr, disk);
        std::string want = step.failure;
        want.replace(want.find("PATH"), 4, files.path(names[failing]));
        EXPECT_EQ(s.message(), want);
        // Until all three are whole nothing is renamed: a failure before
        // the renames keeps every old file; one in a rename keeps the old
        // files from it on, and the report names those renamed before it.
        const size_t renamed = step.step == DiskStep::kRename ? failing : 0;
        EXPECT_EQ(written, std::vector<std::string>(names.begin(), names.begin() + static_cast<long>(renamed)));
        for (size_t k = 0; k < names.size(); ++k) EXPECT_EQ(slurp(files.path(names[k])) == "old", k >= renamed) << names[k];
        EXPECT_EQ(dir.names(), (std::vector<std::string>{"Tarvena1_84.dat", "Tarvena1_84.sim", "Tarvena1_linea.dat"}));
      }
    }
  }
}

#ifndef _WIN32
// What `write` returns ("ok" or its message), run in a child process whose
// files may not grow past 100000 bytes.
std::string status_under_size_limit(const std::function<Status()>& write) {
  int pipe_fd[2];
  if (::pipe(pipe_fd) != 0) return "no pipe";
  pid_t child = ::fork();
  if (child < 0) return "no fork";
  if (child == 0) {
    ::close(pipe_fd[0]);
    ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit {100000, 100000};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    Status s = write();
    std::string msg = s.is_ok() ? "ok" : s.message();
    (void)!::write(pipe_fd[1], msg.data(), msg.size());
    ::_exit(0);
  }
  ::close(pipe_fd[1]);
  std::string msg;
  char buf[512];
  for (ssize_t n; (n = ::read(pipe_fd[0], buf, sizeof buf)) > 0;) msg.append(buf, static_cast<size_t>(n));
  ::close(pipe_fd[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (!WIFEXITED(status)) return "child did not exit";
  return msg;
}

// A write that fails midway (the file size limit is hit) leaves the old file
// whole and no temporary; the status names the file and the system's reason.
// The route map's writing fails on a thread of its own, and says so when it
// is put in place.
TEST(OutputFiles, FailedWriteKeepsOldFileAndRemovesTemporary) {
  struct Case {
    const char* name;
    Status (*write)(const std::string& path);
  } cases[] = {
      {"Tarvena1_84.dat",
       [](const std::string& path) {
         Tables t;
         size_tables(t, 1000000);  // about 300 kB of cells
         return write_cells(t, path);
       }},
      {"Tarvena1_linea.dat",
       [](const std::string& path) {
         const RouteMap m = drawn_map();  // about 800 kB
         return RouteMapWriting(std::make_shared<const RouteMap>(m), path).commit();
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const std::string path = dir.file(c.name);
    spit(path, "old file");
    EXPECT_EQ(status_under_size_limit([&] { return c.write(path); }), "cannot write " + path + ": File too large");
    EXPECT_EQ(slurp(path), "old file");
    EXPECT_EQ(dir.names(), std::vector<std::string>{c.name});
  }
}

#else
// Windows will not replace a file that another program holds open, nor a
// read-only one: the replacement fails, the old file stays whole and the
// temporary goes; the status names the file and the reason.
TEST(OutputFiles, ReplacingAHeldOrReadOnlyFileFailsAndKeepsIt) {
  for (const bool read_only : {false, true}) {
    SCOPED_TRACE(read_only ? "read-only" : "held open");
    TempDir dir;
    const std::string path = dir.file("Tarvena1_84.dat");
    spit(path, "old cells");
    if (read_only) {
      std::filesystem::permissions(testing_support::fs_path(path), std::filesystem::perms::owner_write,
                                   std::filesystem::perm_options::remove);
    }
    Tables t;
    size_tables(t, 1000);
    std::optional<testing_support::HeldOpen> holder;
    if (!read_only) {
      holder.emplace(path);
      ASSERT_TRUE(holder->held());
    }
    const Status s = write_cells(t, path);
    holder.reset();
    ASSERT_FALSE(s.is_ok());
    EXPECT_EQ(s.message(), "cannot rename " + path + ": Permission denied");
    EXPECT_EQ(slurp(path), "old cells");
    EXPECT_EQ(dir.names(), std::vector<std::string>{"Tarvena1_84.dat"});
  }
}
#endif

}  // namespace
}  // namespace scenpack
