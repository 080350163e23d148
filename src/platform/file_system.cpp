#include "platform/file_system.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace scenpack {
namespace {

constexpr size_t kBufferSize = 1 << 16;

std::string system_error_text(int err) { return std::strerror(err); }

}  // namespace

bool file_exists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

Status read_file(const std::string& path, std::string& out) {
  out.clear();
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Status::io_error("cannot read", path, system_error_text(errno));
  struct stat st;
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    return Status::io_error("cannot read", path, system_error_text(EISDIR));
  }
  char chunk[kBufferSize];
  for (;;) {
    ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n < 0) {
      if (errno == EINTR) continue;
      int err = errno;
      ::close(fd);
      return Status::io_error("cannot read", path, system_error_text(err));
    }
    if (n == 0) break;
    out.append(chunk, static_cast<size_t>(n));
  }
  ::close(fd);
  return Status::ok();
}

Status remove_file(const std::string& path) {
  if (::unlink(path.c_str()) == 0 || errno == ENOENT) return Status::ok();
  return Status::io_error("cannot delete", path, system_error_text(errno));
}

AtomicFile::AtomicFile(std::string path) : path_(std::move(path)) {}

AtomicFile::~AtomicFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!temp_path_.empty()) ::unlink(temp_path_.c_str());
}

Status AtomicFile::fail(const char* what, int err) {
  failed_ = true;
  status_ = Status::io_error(what, path_, system_error_text(err));
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  if (!temp_path_.empty()) {
    ::unlink(temp_path_.c_str());
    temp_path_.clear();
  }
  return status_;
}

Status AtomicFile::open() {
  // mkstemp wants a writable template: PATH.tmpXXXXXX beside the target.
  std::string templ = path_ + ".tmpXXXXXX";
  fd_ = ::mkstemp(templ.data());
  if (fd_ < 0) return fail("cannot create", errno);
  temp_path_ = templ;
  ::fchmod(fd_, 0644 & ~[] { mode_t m = ::umask(0); ::umask(m); return m; }());
  buffer_.reserve(kBufferSize);
  return Status::ok();
}

Status AtomicFile::write_all(std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail("cannot write", errno);
    }
    done += static_cast<size_t>(n);
  }
  return Status::ok();
}

Status AtomicFile::flush() {
  Status s = write_all(buffer_);
  buffer_.clear();
  return s;
}

Status AtomicFile::append(std::string_view bytes) {
  if (failed_) return status_;
  if (fd_ < 0) return fail("cannot write", EBADF);
  if (buffer_.size() + bytes.size() > kBufferSize) {
    Status s = flush();
    if (!s.is_ok()) return s;
  }
  if (bytes.size() >= kBufferSize) return write_all(bytes);  // large pieces go straight out
  buffer_.append(bytes);
  return Status::ok();
}

Status AtomicFile::commit() {
  if (failed_) return status_;
  if (fd_ < 0) return fail("cannot write", EBADF);
  Status s = flush();
  if (!s.is_ok()) return s;
  if (::close(fd_) != 0) {
    fd_ = -1;
    return fail("cannot write", errno);
  }
  fd_ = -1;
  if (::rename(temp_path_.c_str(), path_.c_str()) != 0) return fail("cannot rename", errno);
  temp_path_.clear();
  return Status::ok();
}

Status write_file_atomically(const std::string& path, std::string_view bytes) {
  AtomicFile f(path);
  Status s = f.open();
  if (!s.is_ok()) return s;
  s = f.append(bytes);
  if (!s.is_ok()) return s;
  return f.commit();
}

}  // namespace scenpack
