// The file services on Windows: wide-character paths (UTF-8 in the program),
// the C library's descriptors always in binary mode, and the replacement of
// the target by MoveFileExW, which unlike rename may overwrite a file.
#include "platform/file_system.h"

#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>

#include "platform/entry_names.h"
#include "platform/error_text.h"
#include "platform/input_refusal.h"
#include "platform/live_temporaries.h"
#include "platform/win32/wide_text.h"

namespace scenpack {
namespace {

constexpr int kTemporaryNameTries = 100;

bool is_directory(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// PATH.tmpXXXXXX: the process id and a counter keep names of concurrent
// writers apart; a name that exists anyway is skipped by the caller.
std::string temporary_name(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  const unsigned n = (static_cast<unsigned>(GetCurrentProcessId()) << 12) ^ (GetTickCount() << 4) ^ counter++;
  static const char kDigits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::string suffix;
  for (unsigned v = n, i = 0; i < 6; ++i, v /= 36) suffix += kDigits[v % 36];
  return path + ".tmp" + suffix;
}

}  // namespace

bool file_exists(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(win32::widen(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool directory_exists(const std::string& path) { return is_directory(win32::widen(path)); }

Status make_directory(const std::string& path) {
  const std::wstring wide = win32::widen(path);
  if (CreateDirectoryW(wide.c_str(), nullptr)) return Status::ok();
  const DWORD err = GetLastError();
  if (err == ERROR_ALREADY_EXISTS && is_directory(wide)) return Status::ok();
  return Status::io_error("cannot create directory", path,
                          err == ERROR_ALREADY_EXISTS ? error_text(ENOTDIR) : win32::error_text(err));
}

namespace {

FileRead refused(InputKind kind, const std::string& path, const std::string& reason) {
  FileRead r;
  r.kind = kind;
  r.status = Status::io_error("cannot read", path, reason);
  return r;
}

// Reads at most `size` bytes of `fd` into `out` (which keeps what was read);
// 0, or the errno value of the failure.
int read_at_most(int fd, uint64_t size, std::string& out) {
  out.resize(static_cast<size_t>(size));
  size_t done = 0;
  while (done < out.size()) {
    constexpr size_t kMostPerCall = size_t{1} << 30;
    const int n = _read(fd, out.data() + done, static_cast<unsigned>(std::min(out.size() - done, kMostPerCall)));
    if (n < 0) return errno;
    if (n == 0) break;  // the file shrank since it was opened
    done += static_cast<size_t>(n);
  }
  out.resize(done);
  return 0;
}

// The kind, size and identity of the open file, from its handle; then the
// reading, when it is a regular file small enough.
FileRead read_open_file(int fd, const std::string& path, std::string& out, uint64_t most_bytes) {
  const HANDLE h = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
  if (GetFileType(h) != FILE_TYPE_DISK) return refused(InputKind::kNotRegular, path, "not a regular file");
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(h, &info)) {
    return refused(InputKind::kUnreadable, path, win32::error_text(GetLastError()));
  }
  if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
    return refused(InputKind::kNotRegular, path, error_text(EISDIR));
  }
  const uint64_t size = (static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  FileRead r;
  if (size > most_bytes) {
    r = refused(InputKind::kTooLarge, path, too_large_reason(size, most_bytes));
  } else if (const int err = read_at_most(fd, size, out); err != 0) {
    out.clear();
    r = refused(InputKind::kUnreadable, path, error_text(err));
  } else {
    r.kind = InputKind::kRead;
  }
  r.size = size;
  r.identity = {info.dwVolumeSerialNumber, (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
  return r;
}

}  // namespace

FileRead read_file(const std::string& path, std::string& out, uint64_t most_bytes) {
  out.clear();
  const std::wstring wide = win32::widen(path);
  if (is_directory(wide)) return refused(InputKind::kNotRegular, path, error_text(EISDIR));
  int fd = -1;
  if (_wsopen_s(&fd, wide.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT, _SH_DENYNO, 0) != 0) {
    const int err = errno;
    return refused(err == ENOENT ? InputKind::kAbsent : InputKind::kUnreadable, path, error_text(err));
  }
  FileRead r = read_open_file(fd, path, out, most_bytes);
  _close(fd);
  return r;
}

Status identify_file(const std::string& path, FileIdentity& out) {
  HANDLE h = CreateFileW(win32::widen(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return Status::io_error("cannot read", path, win32::error_text(GetLastError()));
  BY_HANDLE_FILE_INFORMATION info;
  const bool known = GetFileInformationByHandle(h, &info) != 0;
  const DWORD err = GetLastError();
  CloseHandle(h);
  if (!known) return Status::io_error("cannot read", path, win32::error_text(err));
  if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
    return Status::io_error("cannot read", path, error_text(EISDIR));
  }
  out = {info.dwVolumeSerialNumber, (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
  return Status::ok();
}

namespace entry_names {

// The identity of what `path` reaches, a directory included.
std::optional<FileIdentity> identity_of(const std::string& path) {
  HANDLE h = CreateFileW(win32::widen(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info;
  const bool known = GetFileInformationByHandle(h, &info) != 0;
  CloseHandle(h);
  if (!known) return std::nullopt;
  return FileIdentity{info.dwVolumeSerialNumber,
                      (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

// The directory part and the last name of a path, either separator:
// "a\b" gives "a" and "b", "b" gives "." and "b", "C:\b" gives "C:\"
// and "b", "C:b" gives "C:" and "b".
std::pair<std::string, std::string> split_last_name(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  const bool drive = path.size() >= 2 && path[1] == ':';
  if (slash == std::string::npos) {
    return drive ? std::pair{path.substr(0, 2), path.substr(2)} : std::pair{std::string("."), path};
  }
  const bool root = slash == 0 || (drive && slash == 2);
  return {path.substr(0, root ? slash + 1 : slash), path.substr(slash + 1)};
}

// Names of entries compare without regard to case, as the file system does.
bool same_entry_name(const std::string& a, const std::string& b) {
  const std::wstring wa = win32::widen(a), wb = win32::widen(b);
  return CompareStringOrdinal(wa.c_str(), -1, wb.c_str(), -1, TRUE) == CSTR_EQUAL;
}

}  // namespace entry_names


std::string unfit_target(const std::string& path) {
  return is_directory(win32::widen(path)) ? error_text(EISDIR) : "";
}

namespace {

// Writes into a device (NUL, CON) or a pipe as it is.
Status write_into_stream(HANDLE h, const std::string& path, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    constexpr size_t kMostPerCall = size_t{1} << 30;
    DWORD written = 0;
    const auto part = static_cast<DWORD>(std::min(bytes.size() - done, kMostPerCall));
    if (!WriteFile(h, bytes.data() + done, part, &written, nullptr)) {
      return Status::io_error("cannot write", path, win32::error_text(GetLastError()));
    }
    done += written;
  }
  return Status::ok();
}

}  // namespace

Status write_to_target(const std::string& path, std::string_view bytes) {
  const std::wstring wide = win32::widen(path);
  if (is_directory(wide)) return Status::io_error("cannot write", path, error_text(EISDIR));
  const HANDLE h = CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h != INVALID_HANDLE_VALUE) {
    const DWORD type = GetFileType(h);
    if (type == FILE_TYPE_CHAR || type == FILE_TYPE_PIPE) {
      const Status s = write_into_stream(h, path, bytes);
      CloseHandle(h);
      return s;
    }
    CloseHandle(h);
  }
  return write_file_atomically(path, bytes);
}

Status remove_file(const std::string& path) {
  if (DeleteFileW(win32::widen(path).c_str())) return Status::ok();
  const DWORD err = GetLastError();
  if (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND) return Status::ok();
  return Status::io_error("cannot delete", path, win32::error_text(err));
}

int AtomicFile::close_descriptor() noexcept {
  if (fd_ < 0) return 0;
  const int err = _close(fd_) == 0 ? 0 : errno;
  fd_ = -1;
  return err;
}

void AtomicFile::delete_temporary_file() noexcept { DeleteFileW(wide_temp_path_.c_str()); }

Status AtomicFile::open() {
  for (int i = 0; i < kTemporaryNameTries; ++i) {
    const std::string name = temporary_name(path_);
    std::wstring wide_name = win32::widen(name);
    const int flags = _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT;
    const live_temporaries::Creating creating;
    if (_wsopen_s(&fd_, wide_name.c_str(), flags, _SH_DENYRW, _S_IREAD | _S_IWRITE) == 0) {
      temp_path_ = name;
      wide_temp_path_ = std::move(wide_name);
      track(temp_path_);
      buffer_.reserve(kBufferSize);
      return Status::ok();
    }
    fd_ = -1;
    if (errno != EEXIST) return fail("cannot create", errno);
  }
  return fail("cannot create", EEXIST);
}

Status AtomicFile::write_all(std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    constexpr size_t kMostPerCall = 1u << 30;
    const size_t part = std::min(bytes.size() - done, kMostPerCall);
    const int n = _write(fd_, bytes.data() + done, static_cast<unsigned>(part));
    if (n < 0) return fail("cannot write", errno);
    if (n == 0) return fail("cannot write", ENOSPC);
    done += static_cast<size_t>(n);
  }
  return Status::ok();
}

// The position is put back afterwards, so that append() goes on where it
// was, as with a positioned write elsewhere.
Status AtomicFile::write_all_at(uint64_t offset, std::string_view bytes) {
  const __int64 was = _telli64(fd_);
  if (was < 0) return fail("cannot write", errno);
  if (_lseeki64(fd_, static_cast<__int64>(offset), SEEK_SET) < 0) return fail("cannot write", errno);
  if (Status s = write_all(bytes); !s.is_ok()) return s;
  if (_lseeki64(fd_, was, SEEK_SET) < 0) return fail("cannot write", errno);
  return Status::ok();
}

// Windows grows the file as it is written.
void AtomicFile::expect_size(uint64_t) {}

// A read-only target is kept, as Windows keeps it (some emulations of the
// call would replace it all the same).
Status AtomicFile::replace_target() {
  const std::wstring target = win32::widen(path_);
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    return fail("cannot rename", EACCES);
  }
  if (!MoveFileExW(wide_temp_path_.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD err = GetLastError();
    fail("cannot rename", 0);  // removes the temporary
    status_ = Status::io_error("cannot rename", path_, win32::error_text(err));
    return status_;
  }
  return Status::ok();
}

}  // namespace scenpack
