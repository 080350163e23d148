#include "platform/file_pieces.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/error_text.h"

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
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd_ < 0) return Status::io_error("cannot read", path, error_text(errno));
  struct stat st;
  const int err = ::fstat(fd_, &st) != 0 ? errno : S_ISDIR(st.st_mode) ? EISDIR : 0;
  if (err != 0) return Status::io_error("cannot read", path, error_text(err));
  if (!S_ISREG(st.st_mode)) return Status::io_error("cannot read", path, "not a regular file");
  size_ = static_cast<uint64_t>(st.st_size);
  return Status::ok();
}

// Each read says where it reads from (pread), so that a seek costs no call:
// a walk of a map's two halves moves between them at every refill.
void FilePieces::seek(uint64_t at) { given_ = at > size_ ? size_ : at; }

size_t FilePieces::next(char* into, size_t n) {
  if (fd_ < 0 || !failure_.is_ok()) return 0;
  if (n > size_ - given_) n = static_cast<size_t>(size_ - given_);  // a file grown since is read as it was
  for (;;) {
    const ssize_t got = n == 0 ? 0 : ::pread(fd_, into, n, static_cast<off_t>(given_));
    if (got >= 0) {
      given_ += static_cast<uint64_t>(got);
      return static_cast<size_t>(got);
    }
    if (errno == EINTR) continue;
    failure_ = Status::io_error("cannot read", path_, error_text(errno));
    return 0;
  }
}

}  // namespace scenpack
