// File services: whole-file reads, deletion, and atomic replacement. Paths
// are UTF-8 text; files are always read and written as raw bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

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

// Reads the whole file into `out`, from one open; a directory is refused.
// When `identity` is given it receives the identity of the file that was
// read, taken from that open file, never from a second lookup of the name
// (which another process could have pointed elsewhere in between).
Status read_file(const std::string& path, std::string& out, FileIdentity* identity = nullptr);

// True when the two paths reach the same existing file (links included), or
// name the same entry of the same directory (the directory compared by
// identity, so "x", "./x" and "sub/../x" agree), which holds for a file not
// created yet. Names of entries are compared as the file system does.
bool same_file(const std::string& a, const std::string& b);

// A description read through one open descriptor: whether it is there and
// what kind of file it is come from that same descriptor, so nothing can
// change between the test and the read. Anything but a regular file (a
// directory, a pipe, a device) counts as not there, and is never waited on.
struct RegularFileRead {
  bool present = false;  // a regular file was opened
  bool irregular = false;  // something other than a regular file is there
  Status status;         // not ok: present but it could not be read, or it
                         // could not be opened for a reason other than absence
  std::string bytes;
};
RegularFileRead read_regular_file(const std::string& path);

// Room for the bytes of a regular file of `size` bytes before they are read,
// so that a large description is not copied each time its buffer grows. A
// size past any description's is left to grow as it is read.
inline void reserve_for_file(std::string& bytes, uint64_t size) {
  constexpr uint64_t kMostReserved = uint64_t{1} << 30;
  if (size > 0 && size <= kMostReserved) bytes.reserve(static_cast<size_t>(size));
}

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
