#include "platform/terminal.h"

#include <windows.h>

namespace scenpack {
namespace {

// Only a console answers GetConsoleMode; the null device, which the C
// library's _isatty counts as a character device, does not.
bool is_console(DWORD standard_handle) {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(standard_handle), &mode) != 0;
}

}  // namespace

bool stdout_is_terminal() { return is_console(STD_OUTPUT_HANDLE); }
bool stderr_is_terminal() { return is_console(STD_ERROR_HANDLE); }

}  // namespace scenpack
