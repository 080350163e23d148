#include "platform/window.h"

#include <cstdio>

#include "platform/desktop.h"
#include "platform/terminal.h"

namespace scenpack {

void show_waiting_window() {
  if (stderr_is_terminal()) {
    std::fputs(kWaitingLabel, stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
  }
  if (desktop_enabled()) open_desktop_window(kWaitingLabel);
}

}  // namespace scenpack
