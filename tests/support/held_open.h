// Windows only: a file held open by the test, as an editor or the simulator
// holds it. By default others may read it but not replace or delete it;
// kDeleteOnly lets others delete it but not open it at all.
#pragma once

#ifdef _WIN32
#include <windows.h>

#include <string>

#include "support/temp_dir.h"

namespace scenpack::testing_support {

class HeldOpen {
 public:
  enum Sharing : DWORD { kReadOnly = FILE_SHARE_READ, kDeleteOnly = FILE_SHARE_DELETE };
  explicit HeldOpen(const std::string& path, Sharing others = kReadOnly)
      : handle_(CreateFileW(fs_path(path).wstring().c_str(), GENERIC_READ, others, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~HeldOpen() {
    if (held()) CloseHandle(handle_);
  }
  HeldOpen(const HeldOpen&) = delete;
  HeldOpen& operator=(const HeldOpen&) = delete;
  bool held() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

}  // namespace scenpack::testing_support
#endif
