// The file services on Windows: wide-character paths (UTF-8 in the program),
// the C library's descriptors always in binary mode, and the replacement of
// the target by MoveFileExW, which unlike rename may overwrite a file.
#include "platform/file_system.h"

#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>

#include "platform/entry_names.h"
#include "platform/win32/wide_text.h"

namespace scenpack {
namespace {

constexpr int kTemporaryNameTries = 100;

std::string system_error_text(int err) { return std::strerror(err); }

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
                          err == ERROR_ALREADY_EXISTS ? system_error_text(ENOTDIR) : win32::error_text(err));
}

Status read_file(const std::string& path, std::string& out, FileIdentity* identity) {
  out.clear();
  const std::wstring wide = win32::widen(path);
  if (is_directory(wide)) return Status::io_error("cannot read", path, system_error_text(EISDIR));
  int fd = -1;
  if (_wsopen_s(&fd, wide.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT, _SH_DENYNO, 0) != 0) {
    return Status::io_error("cannot read", path, system_error_text(errno));
  }
  // Kind and identity of the file opened, from its handle.
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(reinterpret_cast<HANDLE>(_get_osfhandle(fd)), &info)) {
    const DWORD err = GetLastError();
    _close(fd);
    return Status::io_error("cannot read", path, win32::error_text(err));
  }
  if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
    _close(fd);
    return Status::io_error("cannot read", path, system_error_text(EISDIR));
  }
  if (identity != nullptr) {
    *identity = {info.dwVolumeSerialNumber, (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
  }
  char chunk[1 << 16];
  for (;;) {
    const int n = _read(fd, chunk, sizeof chunk);
    if (n < 0) {
      const int err = errno;
      _close(fd);
      return Status::io_error("cannot read", path, system_error_text(err));
    }
    if (n == 0) break;
    out.append(chunk, static_cast<size_t>(n));
  }
  _close(fd);
  return Status::ok();
}

RegularFileRead read_regular_file(const std::string& path) {
  RegularFileRead out;
  const std::wstring wide = win32::widen(path);
  int fd = -1;
  if (_wsopen_s(&fd, wide.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT, _SH_DENYNO, 0) != 0) {
    const int err = errno;
    if (is_directory(wide)) {
      out.irregular = true;  // a directory opens as "access denied" here
    } else if (err != ENOENT) {
      out.status = Status::io_error("cannot read", path, system_error_text(err));
    }
    return out;
  }
  // The kind comes from the open descriptor: only a regular file is read.
  struct _stat64 st;
  if (_fstat64(fd, &st) != 0 || (st.st_mode & _S_IFMT) != _S_IFREG) {
    out.irregular = true;
    _close(fd);
    return out;
  }
  out.present = true;
  reserve_for_file(out.bytes, static_cast<uint64_t>(st.st_size));
  char chunk[1 << 16];
  for (;;) {
    const int n = _read(fd, chunk, sizeof chunk);
    if (n < 0) {
      out.status = Status::io_error("cannot read", path, system_error_text(errno));
      out.bytes.clear();
      break;
    }
    if (n == 0) break;
    out.bytes.append(chunk, static_cast<size_t>(n));
  }
  _close(fd);
  return out;
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
    return Status::io_error("cannot read", path, system_error_text(EISDIR));
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
