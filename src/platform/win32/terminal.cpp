#include "platform/terminal.h"

#include <io.h>
#include <stdio.h>

namespace scenpack {

bool stdout_is_terminal() { return _isatty(_fileno(stdout)) != 0; }

}  // namespace scenpack
