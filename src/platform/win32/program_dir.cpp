#include "platform/program_dir.h"

#include <windows.h>

#include <vector>

#include "platform/win32/wide_text.h"

namespace scenpack {

std::optional<std::string> program_directory() {
  std::vector<wchar_t> buf(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return std::nullopt;
    if (n < buf.size()) {
      const std::wstring exe(buf.data(), n);
      const size_t sep = exe.find_last_of(L"\\/");
      if (sep == std::wstring::npos) return std::nullopt;
      // "C:\scenpack.exe" lives in "C:\", not in "C:" (the current directory of drive C).
      const bool at_root = sep == 0 || exe[sep - 1] == L':';
      return win32::narrow(exe.substr(0, at_root ? sep + 1 : sep));
    }
    buf.resize(buf.size() * 2);  // the path was cut: try a larger buffer
  }
}

}  // namespace scenpack
