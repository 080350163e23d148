#include "platform/directory_lock.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace scenpack {

DirectoryLock::~DirectoryLock() {
  if (handle_ != -1) CloseHandle(reinterpret_cast<HANDLE>(handle_));  // lets the lock go
}

Status DirectoryLock::acquire(const std::string& dir, const std::function<void()>& on_wait) {
  const bool separated = dir.empty() || dir.back() == '/' || dir.back() == '\\';
  const std::string path = (separated ? dir : dir + "/") + kLockFileName;
  const HANDLE h = CreateFileW(win32::widen(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return Status::io_error("cannot lock", path, win32::error_text(GetLastError()));
  OVERLAPPED first_byte{};
  BOOL taken = LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &first_byte);
  if (!taken && GetLastError() == ERROR_LOCK_VIOLATION) {
    on_wait();
    first_byte = {};
    taken = LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &first_byte);
  }
  if (!taken) {
    const DWORD err = GetLastError();
    CloseHandle(h);
    return Status::io_error("cannot lock", path, win32::error_text(err));
  }
  handle_ = reinterpret_cast<intptr_t>(h);
  return Status::ok();
}

}  // namespace scenpack
