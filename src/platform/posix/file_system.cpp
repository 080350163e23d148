#include "platform/file_system.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <utility>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/entry_names.h"

namespace scenpack {
namespace {

std::string system_error_text(int err) { return std::strerror(err); }

// Six letters or digits for a temporary name: the pid, the clock and a
// counter stirred together, so two processes rarely meet on a name (and
// O_EXCL settles it when they do).
std::string temporary_suffix() {
  static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  static uint64_t counter = 0;
  uint64_t x = static_cast<uint64_t>(::getpid()) * 0x9E3779B97F4A7C15ull ^
               static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
               (++counter * 0xBF58476D1CE4E5B9ull);
  std::string out(6, ' ');
  for (char& c : out) {
    x ^= x >> 31;
    x *= 0x94D049BB133111EBull;
    c = kChars[(x >> 32) % (sizeof kChars - 1)];
  }
  return out;
}

}  // namespace

bool file_exists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool directory_exists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

Status make_directory(const std::string& path) {
  if (::mkdir(path.c_str(), 0777) == 0) return Status::ok();
  const int err = errno;
  if (err == EEXIST && directory_exists(path)) return Status::ok();
  return Status::io_error("cannot create directory", path, system_error_text(err == EEXIST ? ENOTDIR : err));
}

Status read_file(const std::string& path, std::string& out, FileIdentity* identity) {
  out.clear();
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Status::io_error("cannot read", path, system_error_text(errno));
  struct stat st;
  const int err = ::fstat(fd, &st) != 0 ? errno : S_ISDIR(st.st_mode) ? EISDIR : 0;
  if (err != 0) {
    ::close(fd);
    return Status::io_error("cannot read", path, system_error_text(err));
  }
  if (identity != nullptr) *identity = {static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
  char chunk[1 << 16];
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

Status identify_file(const std::string& path, FileIdentity& out) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return Status::io_error("cannot read", path, system_error_text(errno));
  if (S_ISDIR(st.st_mode)) return Status::io_error("cannot read", path, system_error_text(EISDIR));
  out = {static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
  return Status::ok();
}

namespace entry_names {

// The identity of what `path` reaches, a directory included.
std::optional<FileIdentity> identity_of(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return FileIdentity{static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
}

// The directory part and the last name of a path: "a/b/c" gives "a/b" and
// "c", "c" gives "." and "c", "/c" gives "/" and "c".
std::pair<std::string, std::string> split_last_name(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return {".", path};
  return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

bool same_entry_name(const std::string& a, const std::string& b) { return a == b; }

}  // namespace entry_names


RegularFileRead read_regular_file(const std::string& path) {
  RegularFileRead out;
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    if (errno != ENOENT && errno != ENOTDIR) out.status = Status::io_error("cannot read", path, system_error_text(errno));
    return out;
  }
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    out.irregular = true;
    ::close(fd);
    return out;
  }
  out.present = true;
  reserve_for_file(out.bytes, static_cast<uint64_t>(st.st_size));
  char chunk[1 << 16];
  for (;;) {
    ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n < 0) {
      if (errno == EINTR) continue;
      out.status = Status::io_error("cannot read", path, system_error_text(errno));
      out.bytes.clear();
      break;
    }
    if (n == 0) break;
    out.bytes.append(chunk, static_cast<size_t>(n));
  }
  ::close(fd);
  return out;
}

Status remove_file(const std::string& path) {
  if (::unlink(path.c_str()) == 0 || errno == ENOENT) return Status::ok();
  return Status::io_error("cannot delete", path, system_error_text(errno));
}

int AtomicFile::close_descriptor() noexcept {
  if (fd_ < 0) return 0;
  const int err = ::close(fd_) == 0 ? 0 : errno;
  fd_ = -1;
  return err;
}

void AtomicFile::delete_temporary_file() noexcept { ::unlink(temp_path_.c_str()); }

Status AtomicFile::open() {
  // PATH.tmpXXXXXX beside the target, created new with the final file's
  // mode (0644 less the process umask, as any new file gets it).
  for (int attempt = 0;; ++attempt) {
    std::string name = path_ + ".tmp" + temporary_suffix();
    fd_ = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd_ >= 0) {
      temp_path_ = std::move(name);
      track(temp_path_);
      break;
    }
    if (errno != EEXIST || attempt == 100) return fail("cannot create", errno);
  }
  buffer_.reserve(kBufferSize);
  return Status::ok();
}

void AtomicFile::expect_size(uint64_t bytes) {
#if defined(__linux__) && defined(FALLOC_FL_KEEP_SIZE)
  // Blocks allocated up front, the size left alone. Only a hint: a file
  // system that cannot do it just grows the file as it is written. A small
  // file gains nothing from it, and the call is one more journalled change
  // that can wait for the file system's commit (bench/README.md).
  constexpr uint64_t kWorthAnnouncing = uint64_t{1} << 20;
  if (fd_ >= 0 && bytes >= kWorthAnnouncing) {
    (void)::fallocate(fd_, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(bytes));
  }
#else
  (void)bytes;
#endif
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

Status AtomicFile::write_all_at(uint64_t offset, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const auto at = static_cast<off_t>(offset + done);
    ssize_t n = ::pwrite(fd_, bytes.data() + done, bytes.size() - done, at);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail("cannot write", errno);
    }
    done += static_cast<size_t>(n);
  }
  return Status::ok();
}

Status AtomicFile::replace_target() {
  if (::rename(temp_path_.c_str(), path_.c_str()) != 0) return fail("cannot rename", errno);
  return Status::ok();
}

}  // namespace scenpack
