#include "platform/window.h"

#include <cstdio>

namespace scenpack {

void show_waiting_window() {
  std::fputs(kWaitingLabel, stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
}

}  // namespace scenpack
