#include "platform/process.h"

#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace scenpack {

std::vector<std::string> program_arguments(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

void prepare_process() { std::signal(SIGXFSZ, SIG_IGN); }

void use_binary_standard_streams() {}

size_t read_standard_input(char* buffer, size_t size) {
  for (;;) {
    const ssize_t got = read(STDIN_FILENO, buffer, size);
    if (got >= 0) return static_cast<size_t>(got);
    if (errno != EINTR) return 0;
  }
}

}  // namespace scenpack
