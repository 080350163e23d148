// One build at a time in a directory: a lock on the file ".scenpack.lock"
// in it (flock on POSIX systems, LockFileEx on Windows), held for the whole
// run and let go when the process ends however it ends. The file is never
// deleted: a build waiting on it would otherwise hold a lock on a file no
// later build sees.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "base/status.h"

namespace scenpack {

constexpr const char* kLockFileName = ".scenpack.lock";

class DirectoryLock {
 public:
  DirectoryLock() = default;
  ~DirectoryLock();  // lets the lock go
  DirectoryLock(const DirectoryLock&) = delete;
  DirectoryLock& operator=(const DirectoryLock&) = delete;

  // Takes the lock on `dir`, creating its lock file when there is none.
  // When another process holds it, calls `on_wait` once, then waits for it.
  // Fails ("cannot lock DIR/.scenpack.lock: reason") when the lock file
  // cannot be made or locked.
  Status acquire(const std::string& dir, const std::function<void()>& on_wait);

 private:
  intptr_t handle_ = -1;  // the lock file's descriptor or handle
};

}  // namespace scenpack
