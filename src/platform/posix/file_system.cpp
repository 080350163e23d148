#include "platform/file_system.h"

#include <algorithm>
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
#include "platform/error_text.h"
#include "platform/input_refusal.h"
#include "platform/live_temporaries.h"

namespace scenpack {
namespace {

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
  return Status::io_error("cannot create directory", path, error_text(err == EEXIST ? ENOTDIR : err));
}

Status identify_file(const std::string& path, FileIdentity& out) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return Status::io_error("cannot read", path, error_text(errno));
  if (S_ISDIR(st.st_mode)) return Status::io_error("cannot read", path, error_text(EISDIR));
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


namespace {

// Reads at most `size` bytes of `fd` into `out` (which keeps what was read);
// 0, or the errno value of the failure.
int read_at_most(int fd, uint64_t size, std::string& out) {
  out.resize(static_cast<size_t>(size));
  size_t done = 0;
  while (done < out.size()) {
    constexpr size_t kMostPerCall = size_t{1} << 30;
    const ssize_t n = ::read(fd, out.data() + done, std::min(out.size() - done, kMostPerCall));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) break;  // the file shrank since it was opened
    done += static_cast<size_t>(n);
  }
  out.resize(done);
  return 0;
}

FileRead refused(InputKind kind, const std::string& path, const std::string& reason) {
  FileRead r;
  r.kind = kind;
  r.status = Status::io_error("cannot read", path, reason);
  return r;
}

}  // namespace

FileRead read_file(const std::string& path, std::string& out, uint64_t most_bytes) {
  out.clear();
  // Without O_NONBLOCK, opening a FIFO would wait for a writer.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    const int err = errno;
    return refused(err == ENOENT || err == ENOTDIR ? InputKind::kAbsent : InputKind::kUnreadable, path,
                   error_text(err));
  }
  struct stat st;
  FileRead r;
  if (::fstat(fd, &st) != 0) {
    r = refused(InputKind::kUnreadable, path, error_text(errno));
  } else if (S_ISDIR(st.st_mode)) {
    r = refused(InputKind::kNotRegular, path, error_text(EISDIR));
  } else if (!S_ISREG(st.st_mode)) {
    r = refused(InputKind::kNotRegular, path, "not a regular file");
  } else if (static_cast<uint64_t>(st.st_size) > most_bytes) {
    r = refused(InputKind::kTooLarge, path, too_large_reason(static_cast<uint64_t>(st.st_size), most_bytes));
  } else if (const int err = read_at_most(fd, static_cast<uint64_t>(st.st_size), out); err != 0) {
    out.clear();
    r = refused(InputKind::kUnreadable, path, error_text(err));
  } else {
    r.kind = InputKind::kRead;
  }
  r.size = static_cast<uint64_t>(st.st_size);
  r.identity = {static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
  ::close(fd);
  return r;
}

std::string unfit_target(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return "";
  if (S_ISDIR(st.st_mode)) return error_text(EISDIR);
  if (S_ISSOCK(st.st_mode)) return "a socket, not a file";
  if (S_ISBLK(st.st_mode)) return "a block device, not a file";
  return "";
}

namespace {

// The name a chain of symbolic links from `path` ends in: the file a new
// one replaces (it may not exist yet, as a dangling link's target).
Status final_link_target(const std::string& path, std::string& target) {
  target = path;
  for (int hops = 0;; ++hops) {
    struct stat st;
    if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return Status::ok();
    if (hops == 40) return Status::io_error("cannot write", path, error_text(ELOOP));
    char link[4096];
    const ssize_t n = ::readlink(target.c_str(), link, sizeof link);
    if (n < 0) return Status::io_error("cannot write", path, error_text(errno));
    if (static_cast<size_t>(n) == sizeof link) return Status::io_error("cannot write", path, error_text(ENAMETOOLONG));
    const std::string next(link, static_cast<size_t>(n));
    target = next.front() == '/' ? next : entry_names::split_last_name(target).first + "/" + next;
  }
}

// Writes into a device or a FIFO as it is: opened for writing (a FIFO
// waits for its reader, as with a shell's ">"), written, closed.
Status write_into_stream(const std::string& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return Status::io_error("cannot write", path, error_text(errno));
  size_t done = 0;
  int err = 0;
  while (done < bytes.size() && err == 0) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno != EINTR) err = errno;
    if (n > 0) done += static_cast<size_t>(n);
  }
  if (::close(fd) != 0 && err == 0 && errno != EINTR) err = errno;
  if (err != 0) return Status::io_error("cannot write", path, error_text(err));
  return Status::ok();
}

}  // namespace

Status write_to_target(const std::string& path, std::string_view bytes) {
  if (const std::string why = unfit_target(path); !why.empty()) return Status::io_error("cannot write", path, why);
  struct stat st;
  if (::stat(path.c_str(), &st) == 0 && (S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode))) {
    return write_into_stream(path, bytes);
  }
  std::string target;
  if (Status s = final_link_target(path, target); !s.is_ok()) return s;
  return write_file_atomically(target, bytes);
}

Status remove_file(const std::string& path) {
  if (::unlink(path.c_str()) == 0 || errno == ENOENT) return Status::ok();
  return Status::io_error("cannot delete", path, error_text(errno));
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
    const live_temporaries::Creating creating;
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
