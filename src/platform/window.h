// The waiting window shown while the scenario is built: its one label,
// "Attendere", as a line on stderr, written once at start when stderr is a
// terminal (scripts and logs see only findings); with the desktop
// enabled on Windows (desktop.h) also a small fixed window holding that
// label, painted before the work begins and gone when the process ends.
#pragma once

namespace scenpack {

constexpr const char* kWaitingLabel = "Attendere";

void show_waiting_window();

}  // namespace scenpack
