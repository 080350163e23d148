// A build stopped by SIGINT, SIGTERM or SIGHUP at any moment leaves each
// compiled file whole, old or new, and no temporary; it ends as the signal
// does. Through the real executable, on a route whose 20 MB map takes the
// build some tens of milliseconds to write.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <thread>

#include "support/run_exe.h"
#include "support/temp_dir.h"

namespace scenpack {
namespace {

using namespace testing_support;

std::string line_of_length(int metres) {
  return "[generale]\r\nlunghezza percorso, " + std::to_string(metres) + "\r\n[fine]\r\n\r\n";
}

// Starts `scenpack build --quiet` in `dir`, sends `signal_number` after
// `delay`, and returns its exit status as a shell reports it (128 + the
// signal for a program the signal ended).
int build_stopped_by(const std::string& dir, int signal_number, std::chrono::microseconds delay) {
  const std::string exe = utf8_of(std::filesystem::absolute(SCENPACK_EXE));
  const pid_t child = ::fork();
  if (child == 0) {
    const int null = ::open("/dev/null", O_RDWR);
    if (null < 0 || ::chdir(dir.c_str()) != 0) ::_exit(120);
    ::dup2(null, 0);
    ::dup2(null, 1);
    ::dup2(null, 2);
    ::execl(exe.c_str(), exe.c_str(), "build", "--quiet", static_cast<char*>(nullptr));
    ::_exit(121);
  }
  if (child < 0) return -1;
  std::this_thread::sleep_for(delay);
  ::kill(child, signal_number);
  int raw = 0;
  while (::waitpid(child, &raw, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  if (WIFSIGNALED(raw)) return 128 + WTERMSIG(raw);
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

TEST(Signals, AStoppedBuildLeavesWholeFilesAndNoTemporary) {
  // The old set: a shorter route's; the new: the long route's, built whole.
  TempDir old_set, new_set;
  spit(old_set.file("Tarvena1_linea.txt"), line_of_length(400000));
  ASSERT_EQ(run_scenpack(old_set.path(), {"build", "--quiet"}).status, 1);  // no train: fault 25
  spit(new_set.file("Tarvena1_linea.txt"), line_of_length(1000000));
  ASSERT_EQ(run_scenpack(new_set.path(), {"build", "--quiet"}).status, 1);

  const struct {
    int number;
    int status;
  } signals[] = {{SIGINT, 130}, {SIGTERM, 143}, {SIGHUP, 129}};
  for (const auto& s : signals) {
    int stopped = 0;  // runs the signal ended, so that the test is not vacuous
    for (int delay_us : {0, 2000, 5000, 10000, 15000, 20000, 30000, 50000}) {
      SCOPED_TRACE("signal " + std::to_string(s.number) + " after " + std::to_string(delay_us) + " us");
      TempDir dir;
      for (const std::string& name : kCompiledFiles) spit(dir.file(name), slurp(old_set.file(name)));
      spit(dir.file("Tarvena1_linea.txt"), line_of_length(1000000));
      const int status = build_stopped_by(dir.path(), s.number, std::chrono::microseconds(delay_us));
      EXPECT_TRUE(status == s.status || status == 1) << "exit status " << status;
      if (status == s.status) ++stopped;
      for (const std::string& name : kCompiledFiles) {
        const std::string bytes = slurp(dir.file(name));
        EXPECT_TRUE(bytes == slurp(old_set.file(name)) || bytes == slurp(new_set.file(name)))
            << name << " is neither the old file nor the new one (" << bytes.size() << " bytes)";
      }
      std::vector<std::string> expected = kCompiledFiles;
      expected.push_back("Tarvena1_linea.txt");
      std::sort(expected.begin(), expected.end());
      EXPECT_EQ(names_in(dir.path()), expected);
    }
    EXPECT_GT(stopped, 0) << "signal " << s.number << " never reached a build before it ended";
  }
}

}  // namespace
}  // namespace scenpack
#endif
