#include "platform/file_pieces.h"

#include <windows.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>

#include "platform/error_text.h"
#include "platform/win32/wide_text.h"

namespace scenpack {

PathKind path_kind(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(win32::widen(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::kMissing;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::kDirectory : PathKind::kFile;
}

FilePieces::~FilePieces() {
  if (fd_ >= 0) _close(fd_);
}

Status FilePieces::open(const std::string& path) {
  path_ = path;
  if (path_kind(path) == PathKind::kDirectory) return Status::io_error("cannot read", path, error_text(EISDIR));
  if (_wsopen_s(&fd_, win32::widen(path).c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT, _SH_DENYNO, 0) != 0) {
    fd_ = -1;
    return Status::io_error("cannot read", path, error_text(errno));
  }
  if (GetFileType(reinterpret_cast<HANDLE>(_get_osfhandle(fd_))) != FILE_TYPE_DISK) {
    return Status::io_error("cannot read", path, "not a regular file");
  }
  struct _stat64 st;
  if (_fstat64(fd_, &st) != 0) return Status::io_error("cannot read", path, error_text(errno));
  size_ = static_cast<uint64_t>(st.st_size);
  return Status::ok();
}

void FilePieces::seek(uint64_t at) {
  if (at > size_) at = size_;
  if (fd_ >= 0 && failure_.is_ok() && _lseeki64(fd_, static_cast<__int64>(at), SEEK_SET) != static_cast<__int64>(at)) {
    failure_ = Status::io_error("cannot read", path_, error_text(errno));
  }
  given_ = at;
}

size_t FilePieces::next(char* into, size_t n) {
  if (fd_ < 0 || !failure_.is_ok()) return 0;
  if (n > size_ - given_) n = static_cast<size_t>(size_ - given_);  // a file grown since is read as it was
  const unsigned most = n > (1u << 30) ? (1u << 30) : static_cast<unsigned>(n);
  const int got = most == 0 ? 0 : _read(fd_, into, most);
  if (got >= 0) {
    given_ += static_cast<uint64_t>(got);
    return static_cast<size_t>(got);
  }
  failure_ = Status::io_error("cannot read", path_, error_text(errno));
  return 0;
}

}  // namespace scenpack
