#include "platform/process.h"

#include <csignal>

namespace scenpack {

std::vector<std::string> program_arguments(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

void prepare_process() { std::signal(SIGXFSZ, SIG_IGN); }

void use_binary_standard_streams() {}

}  // namespace scenpack
