// Whether the program writes to a person at a terminal or to a file or pipe.
#pragma once

namespace scenpack {

// True when standard output is a terminal (a console window on Windows).
bool stdout_is_terminal();

}  // namespace scenpack
