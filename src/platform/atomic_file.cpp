// The parts of the atomic file that are the same on every system: the
// write buffer, the order of a commit, failure and clean-up, and the
// one-call write.
#include "platform/file_system.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <utility>
#include <vector>

namespace scenpack {
namespace {

// A file may be written on a thread of its own (the route map's), whose
// failure discards its temporary there.
std::mutex& temporaries_mutex() {
  static std::mutex mutex;
  return mutex;
}

std::vector<std::string>& live_temporaries() {
  static std::vector<std::string> names;
  return names;
}

}  // namespace

void AtomicFile::track(const std::string& temp_path) {
  std::lock_guard<std::mutex> lock(temporaries_mutex());
  live_temporaries().push_back(temp_path);
}

void AtomicFile::untrack(const std::string& temp_path) noexcept {
  std::lock_guard<std::mutex> lock(temporaries_mutex());
  std::vector<std::string>& names = live_temporaries();
  names.erase(std::remove(names.begin(), names.end(), temp_path), names.end());
}

void remove_unfinished_temporaries() noexcept {
  std::lock_guard<std::mutex> lock(temporaries_mutex());
  for (const std::string& name : live_temporaries()) {
    try {
      remove_file(name);
    } catch (...) {
      // Nothing more can be done for this one; go on with the others.
    }
  }
  live_temporaries().clear();
}

AtomicFile::AtomicFile(std::string path) : path_(std::move(path)) {}

AtomicFile::~AtomicFile() { discard(); }

void AtomicFile::discard() noexcept {
  (void)close_descriptor();
  if (!temp_path_.empty()) {
    delete_temporary_file();
    untrack(temp_path_);
    temp_path_.clear();
    wide_temp_path_.clear();
  }
}

Status AtomicFile::fail(const char* what, int err) {
  failed_ = true;
  status_ = Status::io_error(what, path_, std::strerror(err));
  discard();
  return status_;
}

Status AtomicFile::commit() {
  if (failed_) return status_;
  if (fd_ < 0) return fail("cannot write", EBADF);
  if (Status s = flush(); !s.is_ok()) return s;
  if (const int err = close_descriptor(); err != 0) return fail("cannot write", err);
  if (Status s = replace_target(); !s.is_ok()) return s;
  untrack(temp_path_);
  temp_path_.clear();
  wide_temp_path_.clear();
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

Status AtomicFile::write_at(uint64_t offset, std::string_view bytes) {
  if (failed_) return status_;
  if (fd_ < 0) return fail("cannot write", EBADF);
  if (Status s = flush(); !s.is_ok()) return s;
  return write_all_at(offset, bytes);
}

Status stage_whole_file(StagedFile& file, std::string_view bytes) {
  if (Status s = file.open(); !s.is_ok()) return s;
  file.expect_size(bytes.size());
  return file.append(bytes);
}

Status write_file_atomically(const std::string& path, std::string_view bytes) {
  AtomicFile f(path);
  if (Status s = stage_whole_file(f, bytes); !s.is_ok()) return s;
  return f.commit();
}

}  // namespace scenpack
