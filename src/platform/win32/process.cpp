#include "platform/process.h"

#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "platform/win32/wide_text.h"

namespace scenpack {

// The narrow argv holds the arguments in the ANSI code page, where a name
// such as "à" may already be lost: take the wide command line instead.
std::vector<std::string> program_arguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return std::vector<std::string>(argv + 1, argv + argc);
  std::vector<std::string> out;
  for (int i = 1; i < count; ++i) out.push_back(win32::narrow(wide[i]));
  LocalFree(wide);
  return out;
}

// Windows has no file size signal; a missing disk or a full one must come
// back as an error, not as a dialog of the system's.
void prepare_process() { SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX); }

size_t read_standard_input(char* buffer, size_t size) {
  const int got = _read(_fileno(stdin), buffer, static_cast<unsigned>(size > (1u << 30) ? (1u << 30) : size));
  return got > 0 ? static_cast<size_t>(got) : 0;
}

void use_binary_standard_streams() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
}

}  // namespace scenpack
