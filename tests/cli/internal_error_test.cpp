// A failure no input can cause (here: no memory), through the program built
// with an allocation that can be made to fail. Whichever allocation fails,
// the run ends in one of three ways, each reported and each leaving the
// directory sound: the run is unharmed, the reading ends with fault 25 and
// the files are written, or one line "scenpack: internal error: ..." with
// exit 70. No temporary is left behind, and an output is either the old
// file or the new one, whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "support/run_exe.h"
#include "support/temp_dir.h"

// The failing allocation is chosen through the environment of a shell
// command: POSIX systems only.
#ifndef _WIN32
namespace scenpack {
namespace {

using namespace testing_support;

// Which allocation fails: the main thread's n-th, or the n-th of the thread
// beside it that writes the route map. Each thread counts its own, so the
// same allocation fails in every run.
struct Failing {
  bool beside = false;
  unsigned long long n = 0;
};

ExeResult run_failing(const TempDir& dir, Failing failing, const std::string& count_file = "") {
  for (const std::string& name : names_in(dir.path())) std::filesystem::remove_all(dir.file(name));
  for (const std::string& name : kCompiledFiles) spit(dir.file(name), "old " + name);
  std::string env = std::string(failing.beside ? "SCENPACK_TEST_FAIL_BESIDE_ALLOCATION=" : "SCENPACK_TEST_FAIL_ALLOCATION=") +
                    std::to_string(failing.n) + " ";
  if (!count_file.empty()) env += "SCENPACK_TEST_COUNT_ALLOCATIONS=" + shell_quote(count_file) + " ";
  return run_exe(SCENPACK_FAILING_ALLOCATION_EXE, dir.path(),
                 {"run", "--quiet", "--dir", dir.path(), "--report", dir.file("r.json")}, env);
}

TEST(InternalError, EveryFailingAllocationEndsCleanly) {
  TempDir dir, reference, counter;
  ASSERT_EQ(run_scenpack(reference.path(), {"run", "--quiet", "--dir", reference.path()}).status, 0);
  ASSERT_EQ(run_failing(dir, {}, counter.file("count")).status, 0);
  unsigned long long allocations = 0, beside = 0;
  std::istringstream(slurp(counter.file("count"))) >> allocations >> beside;
  ASSERT_GT(allocations, 100u);
  ASSERT_GT(beside, 0u);  // the map's writing allocates too

  // Every allocation of the end of the run (the outputs and the report,
  // while temporaries exist), and a spread over the rest close enough to
  // meet the reading's few dozen allocations (the descriptions are read
  // from memory, with few allocations of their own); and every allocation
  // of the map's writing.
  std::vector<Failing> failing;
  for (unsigned long long n = 1; n <= allocations; n += n + 100 > allocations ? 1 : 23) failing.push_back({false, n});
  for (unsigned long long n = 1; n <= beside; ++n) failing.push_back({true, n});
  int internal_errors = 0, reading_faults = 0;
  for (const Failing& f : failing) {
    SCOPED_TRACE(std::string(f.beside ? "map writer's" : "main thread's") + " allocation " + std::to_string(f.n));
    const ExeResult r = run_failing(dir, f);
    const std::string report = slurp(dir.file("r.json"));
    for (const std::string& name : names_in(dir.path())) EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
    for (const std::string& name : kCompiledFiles) {
      const std::string bytes = slurp(dir.file(name));
      EXPECT_TRUE(bytes == "old " + name || r.status == 1 || bytes == slurp(reference.file(name))) << name;
    }
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), r.status == 0 ? 0 : 1) << r.err;
    if (r.status == 70) {
      ++internal_errors;
      EXPECT_EQ(r.err, "scenpack: internal error: std::bad_alloc\n");
      // Until the command line has been read there is no report to write.
      if (!report.empty()) {
        EXPECT_NE(report.find("\"exit_status\": 70,"), std::string::npos) << report;
        EXPECT_NE(report.find("\"message\": \"scenpack: internal error: std::bad_alloc\""), std::string::npos);
      }
    } else if (r.status == 1) {
      ++reading_faults;
      EXPECT_NE(r.err.find(" Errore n. 25: "), std::string::npos) << r.err;
      EXPECT_NE(report.find("\"codice_errore\": 25,"), std::string::npos) << report;
    } else {
      EXPECT_EQ(r.status, 0) << r.err;
    }
  }
  EXPECT_GT(internal_errors, 0);
  EXPECT_GT(reading_faults, 0);
  // The end of the run is well past the command line: its reports exist.
  EXPECT_NE(slurp(dir.file("r.json")).find("\"exit_status\": 70,"), std::string::npos);
}

}  // namespace
}  // namespace scenpack
#endif
