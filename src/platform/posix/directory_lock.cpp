#include "platform/directory_lock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/error_text.h"

namespace scenpack {

DirectoryLock::~DirectoryLock() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));  // lets the lock go
}

Status DirectoryLock::acquire(const std::string& dir, const std::function<void()>& on_wait) {
  const std::string path = (dir.empty() || dir.back() == '/' ? dir : dir + "/") + kLockFileName;
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY, 0644);
  // Made by another user's build: locked for reading, which flock allows.
  if (fd < 0 && errno == EACCES) fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return Status::io_error("cannot lock", path, error_text(errno));
  int taken = ::flock(fd, LOCK_EX | LOCK_NB);
  if (taken != 0 && errno == EWOULDBLOCK) {
    on_wait();
    do {
      taken = ::flock(fd, LOCK_EX);
    } while (taken != 0 && errno == EINTR);
  }
  if (taken != 0) {
    const int err = errno;
    ::close(fd);
    return Status::io_error("cannot lock", path, error_text(err));
  }
  handle_ = fd;
  return Status::ok();
}

}  // namespace scenpack
