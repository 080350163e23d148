// File services: whole-file reads, deletion, and atomic replacement. Paths
// are UTF-8 text; files are always read and written as raw bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "platform/staged_file.h"

namespace scenpack {

bool file_exists(const std::string& path);
bool directory_exists(const std::string& path);

// Creates the directory `path` whose parent exists; a directory already
// there is not an error. Fails with "cannot create directory PATH: reason",
// "Not a directory" when something else stands there.
Status make_directory(const std::string& path);

// Creates the directory `path` and those of its parents that are missing,
// as build tools do with their output folders; a directory already there
// is not an error. Fails naming the first directory that could not be
// made, and why.
Status create_directories(const std::string& path);

// The names of the regular files in the directory `path`, sorted; none
// when it cannot be listed. At most `most` names are kept.
std::vector<std::string> file_names_in(const std::string& path, size_t most);

// The most bytes a name in a directory can have (POSIX's NAME_MAX on the
// common file systems; Windows counts UTF-16 units, never more than bytes).
constexpr size_t kLongestFileName = 255;

// What an atomic file's temporary adds to its target's name: ".tmpXXXXXX".
constexpr size_t kTemporarySuffixLength = 10;


// What tells two names of one file apart from two files: the device and
// inode, or on Windows the volume serial number and file index.
struct FileIdentity {
  uint64_t volume = 0;
  uint64_t file = 0;
  bool operator==(const FileIdentity&) const = default;
};

// The identity of the file at `path`; fails ("cannot read PATH: reason")
// when it does not exist, cannot be reached or is a directory.
Status identify_file(const std::string& path, FileIdentity& out);

// True when the two paths reach the same existing file (links included), or
// name the same entry of the same directory (the directory compared by
// identity, so "x", "./x" and "sub/../x" agree), which holds for a file not
// created yet. Names of entries are compared as the file system does.
bool same_file(const std::string& a, const std::string& b);

// What reading a whole input file found. Every input is opened once,
// without waiting (a FIFO without a writer, a device), and only a regular
// file is read: its kind, size and identity come from that open file, never
// from a second lookup of the name (which another process could have
// pointed elsewhere in between). A file larger than `most_bytes` is refused
// before any byte of it is read, and the reading never goes past the size
// seen at the open, so a file that grows meanwhile cannot make it endless.
enum class InputKind {
  kRead,        // a regular file, read whole
  kAbsent,      // nothing of that name
  kNotRegular,  // a directory, a FIFO, a device, a socket
  kTooLarge,    // larger than `most_bytes`
  kUnreadable,  // it could not be opened or read for another reason
};
struct FileRead {
  InputKind kind = InputKind::kAbsent;
  Status status;      // "cannot read PATH: reason" unless kind is kRead
  uint64_t size = 0;  // the size seen at the open
  FileIdentity identity;

  bool is_ok() const { return kind == InputKind::kRead; }
};
FileRead read_file(const std::string& path, std::string& out, uint64_t most_bytes);

// A description read through read_file's one open, where anything but a
// regular file (a directory, a pipe, a device) counts as not there.
struct RegularFileRead {
  bool present = false;    // a regular file was opened
  bool irregular = false;  // something other than a regular file is there
  Status status;           // not ok: present but unreadable or too large, or
                           // not opened for a reason other than absence
  std::string bytes;
};
RegularFileRead read_regular_file(const std::string& path, uint64_t most_bytes);

// Writes `bytes` to `path` the way a shell's ">" would, but never leaves a
// torn file: a character device or a FIFO (say /dev/stdout) is written into
// directly; a symbolic link is followed and the file it points to replaced
// atomically; a directory, a socket or a block device is refused; any other
// name gets a new file in place of the old, atomically.
Status write_to_target(const std::string& path, std::string_view bytes);

// Why `path` can never take a file's content ("Is a directory", "a socket,
// not a file", ...), or "" when it can or does not exist yet.
std::string unfit_target(const std::string& path);

// Deletes the file; a file that does not exist is not an error.
Status remove_file(const std::string& path);

// Writes a file under a temporary name in the same directory and renames it
// over `path` on commit(), so the old file (or none) stays whole until the
// new one is complete. Writes are buffered. If commit() is not reached (or
// fails) the temporary is removed.
class AtomicFile final : public StagedFile {
 public:
  explicit AtomicFile(std::string path);
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  Status open() override;
  Status append(std::string_view bytes) override;
  // Writes `bytes` at byte `offset` of the file, after what append() has
  // buffered so far: for a writer that fills two parts of a file side by
  // side. A gap left before `offset` reads as zero bytes.
  Status write_at(uint64_t offset, std::string_view bytes) override;
  // A hint that the file will hold `bytes` bytes: for a large file, where
  // the system can, it sets aside room for all of them at once, which costs
  // less than growing the file as it is written. The file's size and
  // content do not change.
  void expect_size(uint64_t bytes) override;
  Status complete() override;
  Status commit() override;

 private:
  static constexpr size_t kBufferSize = 1 << 16;

  Status flush();
  // Records the failure (`err` an errno value) and discards the temporary.
  Status fail(const char* what, int err);
  // Closes the descriptor if open and deletes the temporary if there is one.
  void discard() noexcept;
  // The system's part, with open() and expect_size(): `fd_` is a C library
  // descriptor, errors are errno values.
  Status write_all(std::string_view bytes);
  Status write_all_at(uint64_t offset, std::string_view bytes);  // leaves the append position alone
  int close_descriptor() noexcept;  // 0, or what went wrong; `fd_` is closed either way
  void delete_temporary_file() noexcept;
  // Puts the closed temporary in place of the target; on failure fails.
  Status replace_target();
  // The list of live temporaries behind remove_unfinished_temporaries().
  static void track(const std::string& temp_path);
  static void untrack(const std::string& temp_path) noexcept;

  std::string path_;
  std::string temp_path_;
  // The temporary's name as the wide-character calls of Windows take it,
  // made with temp_path_, so that deleting it needs no conversion (empty
  // where the system takes UTF-8 names).
  std::wstring wide_temp_path_;
  int fd_ = -1;
  bool failed_ = false;
  bool completed_ = false;  // written out and closed, not yet in place
  Status status_;
  std::string buffer_;
};

// Removes the temporaries of atomic files neither committed nor abandoned
// yet: every temporary is tracked from its creation to its rename or
// removal, so that a run ending abnormally (an exception caught at the top,
// a termination) leaves none behind.
void remove_unfinished_temporaries() noexcept;

// Opens `file` and hands it all of `bytes` under its temporary name; its
// commit() puts it in place later.
Status stage_whole_file(StagedFile& file, std::string_view bytes);

// Convenience: the whole content in one call.
Status write_file_atomically(const std::string& path, std::string_view bytes);

}  // namespace scenpack
