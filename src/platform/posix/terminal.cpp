#include "platform/terminal.h"

#include <unistd.h>

namespace scenpack {

bool stdout_is_terminal() { return isatty(STDOUT_FILENO) == 1; }
bool stderr_is_terminal() { return isatty(STDERR_FILENO) == 1; }

}  // namespace scenpack
