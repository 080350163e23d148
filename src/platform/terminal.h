// Whether the program writes to a person at a terminal or to a file or pipe.
#pragma once

namespace scenpack {

// True when standard output is a terminal (a console window on Windows).
bool stdout_is_terminal();

// True when standard error is a terminal (a console window on Windows):
// where a person watches, rather than a file, a pipe or the null device.
bool stderr_is_terminal();

}  // namespace scenpack
