#include "platform/process.h"

#include <unistd.h>

#include <csignal>

namespace scenpack {

std::vector<std::string> program_arguments(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

void prepare_process() { std::signal(SIGXFSZ, SIG_IGN); }

bool stderr_is_terminal() { return ::isatty(STDERR_FILENO) == 1; }

}  // namespace scenpack
