// UTF-8 text, as held everywhere else in the program, to and from the wide
// text of the Windows calls.
#pragma once

#include <string>

namespace scenpack::win32 {

std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& wide);

// The text of a Windows error code, as the C library words the matching
// errno where there is one ("Permission denied"), so that messages read the
// same on every system; otherwise the system's own text.
std::string error_text(unsigned long code);

}  // namespace scenpack::win32
