#include "platform/file_pieces.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace scenpack {

PathKind path_kind(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return PathKind::kMissing;
  return S_ISDIR(st.st_mode) ? PathKind::kDirectory : PathKind::kFile;
}

FilePieces::~FilePieces() {
  if (fd_ >= 0) ::close(fd_);
}

Status FilePieces::open(const std::string& path) {
  path_ = path;
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) return Status::io_error("cannot read", path, std::strerror(errno));
  struct stat st;
  const int err = ::fstat(fd_, &st) != 0 ? errno : S_ISDIR(st.st_mode) ? EISDIR : 0;
  if (err != 0) return Status::io_error("cannot read", path, std::strerror(err));
  size_ = static_cast<uint64_t>(st.st_size);
  return Status::ok();
}

void FilePieces::restart() {
  if (fd_ >= 0 && failure_.is_ok() && ::lseek(fd_, 0, SEEK_SET) != 0) {
    failure_ = Status::io_error("cannot read", path_, std::strerror(errno));
  }
}

size_t FilePieces::next(char* into, size_t n) {
  if (fd_ < 0 || !failure_.is_ok()) return 0;
  for (;;) {
    const ssize_t got = ::read(fd_, into, n);
    if (got >= 0) return static_cast<size_t>(got);
    if (errno == EINTR) continue;
    failure_ = Status::io_error("cannot read", path_, std::strerror(errno));
    return 0;
  }
}

}  // namespace scenpack
