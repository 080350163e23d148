// Runs one command and prints, on one line, its wall time in microseconds,
// its CPU time (user + system) in microseconds, its peak resident memory in
// KiB and its exit status. The command's stdout and stderr go to /dev/null,
// or its stdout to FILE (created or emptied) with --stdout: a view's output
// is kept without a shell started to redirect it, whose start would count.
//
//   spawn_timed [--stdout FILE] COMMAND [ARGS...]
//
// A small program of its own, because Linux carries a parent's peak memory
// into a child it forks (and through exec): a child of the Python measuring
// script would report the script's own memory as its peak.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

namespace {

long long now_us() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<long long>(ts.tv_sec) * 1000000 + ts.tv_nsec / 1000;
}

long long cpu_us(const rusage& u) {
  return (static_cast<long long>(u.ru_utime.tv_sec) + u.ru_stime.tv_sec) * 1000000 + u.ru_utime.tv_usec +
         u.ru_stime.tv_usec;
}

}  // namespace

int main(int argc, char** argv) {
  const char* out_path = "/dev/null";
  int first = 1;
  if (argc > 2 && std::strcmp(argv[1], "--stdout") == 0) {
    out_path = argv[2];
    first = 3;
  }
  if (argc <= first) {
    std::fprintf(stderr, "usage: spawn_timed [--stdout FILE] COMMAND [ARGS...]\n");
    return 64;
  }
  const long long start = now_us();
  const pid_t pid = fork();
  if (pid < 0) return 71;
  if (pid == 0) {
    const int null = open("/dev/null", O_WRONLY);
    const int out = open(out_path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (null < 0 || out < 0) _exit(126);
    dup2(out, 1);
    dup2(null, 2);
    execvp(argv[first], argv + first);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) < 0) return 71;
  const long long wall = now_us() - start;
  std::printf("%lld %lld %ld %d\n", wall, cpu_us(usage), usage.ru_maxrss,
              WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
  return 0;
}
