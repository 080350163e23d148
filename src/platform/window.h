// The waiting window shown while the scenario is built. Without a desktop it
// is its one label, "Attendere", as a line on stderr, painted once at start.
#pragma once

namespace scenpack {

constexpr const char* kWaitingLabel = "Attendere";

void show_waiting_window();

}  // namespace scenpack
